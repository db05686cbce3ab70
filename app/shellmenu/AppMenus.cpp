#include "shellmenu/AppMenus.h"

#include "base/thread/EasyPooler.h"
#include "base/tree/FlexNode.h"
#include "shellmenu/Menu.h"

namespace s::shell::server01 {

S_POOLED_IMPL(AppMenus, s::thread::EasyPooler::kDefaultLimit)

AppMenus::AppMenus() = default;

AppMenus::~AppMenus() = default;

void AppMenus::reset() { tree.reset(); }

AppMenus::FlexNode* AppMenus::getRoot() {
  const bool fresh = !tree.hasRoot();
  FlexNode* root = tree.getRoot();
  if (root && fresh) {
    Menu* item = Menu::acquire();
    if (item) {
      item->menuString.appendText(u"Context Menu");
      item->menuId = 0;
      root->setValue(static_cast<void*>(item), Menu::pool());
    }
  }
  return root;
}

AppMenus::FlexNode* AppMenus::appendItem(FlexNode* parent, Menu* item) {
  if (!item) return nullptr;
  FlexNode* node = parent ? FlexNode::acquire() : nullptr;
  if (!node) {
    item->release();
    return nullptr;
  }
  node->setValue(static_cast<void*>(item), Menu::pool());
  if (!parent->appendChild(node)) {
    node->release();
    return nullptr;
  }
  return node;
}

Menu* AppMenus::itemOf(const FlexNode* node) { return node ? static_cast<Menu*>(node->getValue()) : nullptr; }

}  // namespace s::shell::server01
