// The writers of a template into the registry: one item with its sub-items, one menu tree, and the
// whole application record. Existing keys and values are overwritten; keys of items no longer in the
// template stay. Each answers true when every write succeeded.
#pragma once

namespace s::tree {
class FlexNode;
}

namespace s::shell::server01 {

class App;
class AppMenus;

// Writes the node's item as the key `parentPath`\<MenuID> (below HKEY_CURRENT_USER), then its
// children below that key, in order.
bool writeMenu(const char16_t* parentPath, s::tree::FlexNode* node);

// Sets every item's ParentID to its parent's MenuID, then writes each child of the root below
// Software\MenuPorter110\Apps\<appName>\<subKeyName>.
bool writeMenuTree(AppMenus* menus, const char16_t* appName, const char16_t* subKeyName);

// Writes the record's values and both trees below Software\MenuPorter110\Apps\<AppName>.
bool writeApp(App* app);

}  // namespace s::shell::server01
