// The registry names shared with the bridge, all below HKEY_CURRENT_USER.
#pragma once

namespace s::shell::server01 {

inline constexpr char16_t kBridgeKey[] = u"Software\\MenuPorter110";
inline constexpr char16_t kLockKey[] = u"Software\\MenuPorter110\\Lock";
inline constexpr char16_t kAppsKey[] = u"Software\\MenuPorter110\\Apps";
inline constexpr char16_t kVesperAppKey[] = u"Software\\MenuPorter110\\Apps\\Vesper";
inline constexpr char16_t kVesperAppName[] = u"Vesper";

}  // namespace s::shell::server01
