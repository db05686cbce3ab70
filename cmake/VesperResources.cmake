# Resources compiled into an executable: each file listed in an index becomes a generated C++ source
# holding its bytes and an entry that registers it with the platform's resource registry at start-up,
# where FindResourceW finds it.

set(VESPER_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake)
set(VESPER_RESOURCES_PLATFORM_DIR ${CMAKE_CURRENT_LIST_DIR}/../platform)

# vesper_embed_resources(<executable target> <index file>)
# The index holds lines "ID TYPE FILE" (blank lines and lines starting with # are skipped). ID and TYPE
# are each a decimal integer id (1 to 65535) or a name of letters, digits, "_", "." and "-" (names
# compare ignoring case, so two entries may not differ only in case); FILE is relative to the index's
# folder. Call it in the folder that creates the target: the generated sources are compiled into the
# executable itself, so no linker can drop their registration as it could from a static library.
# Editing a listed file regenerates its source; editing the index reconfigures.
function(vesper_embed_resources target index)
  get_target_property(kind ${target} TYPE)
  if(NOT kind STREQUAL "EXECUTABLE")
    message(FATAL_ERROR "vesper_embed_resources: ${target} is not an executable")
  endif()
  get_filename_component(index ${index} ABSOLUTE)
  get_filename_component(base ${index} DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${index})
  file(STRINGS ${index} lines)
  set(outdir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(seen)
  set(generated)
  set(number 0)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]+(.+)$")
      message(FATAL_ERROR "${index}: \"${line}\" is not \"ID TYPE FILE\"")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(type ${CMAKE_MATCH_2})
    set(file ${CMAKE_MATCH_3})
    foreach(part id type)
      set(value ${${part}})
      if(value MATCHES "^[0-9]+$")
        if(value LESS 1 OR value GREATER 65535)
          message(FATAL_ERROR "${index}: the integer ${part} ${value} is outside 1 to 65535")
        endif()
        math(EXPR value "${value}")  # drops leading zeros, so 0130 and 130 are the same id
        set(${part} ${value})
        set(${part}_key "#${value}")
      elseif(value MATCHES "^[A-Za-z_][A-Za-z0-9_.-]*$")
        string(TOUPPER ${value} ${part}_key)
      else()
        message(FATAL_ERROR "${index}: \"${value}\" is neither an integer ${part} nor a name")
      endif()
    endforeach()
    if("${id_key}/${type_key}" IN_LIST seen)
      message(FATAL_ERROR "${index}: resource ${id} of type ${type} is listed twice")
    endif()
    list(APPEND seen "${id_key}/${type_key}")
    set(input ${base}/${file})
    if(NOT EXISTS ${input})
      message(FATAL_ERROR "${index}: ${file} does not exist")
    endif()
    set(output ${outdir}/resource_${number}.cpp)
    math(EXPR number "${number} + 1")
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DNAME=${id} -DTYPE=${type}
        -DSOURCE=${file} -P ${VESPER_RESOURCES_SCRIPT}
      DEPENDS ${input} ${VESPER_RESOURCES_SCRIPT}
      COMMENT "Embedding resource ${id} (${type}) from ${file}"
      VERBATIM)
    list(APPEND generated ${output})
  endforeach()
  if(generated)
    set_source_files_properties(${generated} PROPERTIES INCLUDE_DIRECTORIES ${VESPER_RESOURCES_PLATFORM_DIR})
    target_sources(${target} PRIVATE ${generated})
    target_link_libraries(${target} PRIVATE vesper_platform)
  endif()
endfunction()
