// One menu tree of an application's template (the items for files and folders, or those for
// backgrounds): a tree of items whose unnamed root, "Context Menu" with MenuID 0, is never written.
#pragma once

#include "base/IObject.h"
#include "base/thread/IPoolable.h"
#include "base/tree/Flex.h"

namespace s::tree {
class FlexNode;
}

namespace s::shell::server01 {

class Menu;

class AppMenus final : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_shell_server01_AppMenus")
  S_POOLED(AppMenus)

 public:
  using FlexNode = s::tree::FlexNode;
  using IObject::destroy;

  AppMenus();
  ~AppMenus() override;
  AppMenus(const AppMenus&) = delete;
  AppMenus& operator=(const AppMenus&) = delete;

  // Releases the items; the root is made again on next use.
  void reset() override;

  // The root node, carrying the "Context Menu" item; null only when memory runs out.
  FlexNode* getRoot();
  s::tree::Flex* getTree() { return &tree; }

  // A new node owning `item` (given back to its pool with the node), appended to `parent`; null (and
  // the item released) when memory runs out.
  static FlexNode* appendItem(FlexNode* parent, Menu* item);
  // The item a node carries, or null.
  static Menu* itemOf(const FlexNode* node);

 private:
  s::tree::Flex tree;
};

}  // namespace s::shell::server01
