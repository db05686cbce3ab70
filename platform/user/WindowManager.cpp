#include "user/WindowManager.h"

#include "display/DisplaySelection.h"
#include "user/Clock.h"
#include "user/InputRouter.h"
#include "user/MessageQueue.h"
#include "user/QueueRegistry.h"
#include "user/controls/SystemClasses.h"

#include <win/sync.h>

#include <algorithm>

namespace platform::user {

namespace {

uint32_t valueOf(HWND window) {
  uintptr_t v = reinterpret_cast<uintptr_t>(window);
  return v > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(v);
}

RECT offsetRect(RECT r, POINT by) { return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

}  // namespace

WindowManager& WindowManager::instance() {
  // Never destroyed: threads that end during process exit still take their windows down through it.
  static WindowManager* manager = new WindowManager();
  return *manager;
}

WindowManager::WindowManager() : display_(&display::DisplaySelection::current()) {
  auto desktop = std::make_unique<Window>();
  desktop->desktop = true;
  desktop->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  display::Rect screen = display_->screen().virtualScreen();
  desktop->windowRect = RECT{screen.left, screen.top, screen.right, screen.bottom};
  desktop->clientRect = desktop->windowRect;
  desktop->text = u"";
  desktop_ = add(std::move(desktop));
  display_->setEventSink(&InputRouter::instance());
  // The system's own classes exist before any window is made.
  controls::SystemClasses::registerAll(classes_);
}

Window* WindowManager::find(HWND window) const {
  Lock guard(mutex_);
  return table_.find(valueOf(window));
}

HWND WindowManager::add(std::unique_ptr<Window> window) {
  Window* raw = window.get();
  HWND handle = toHwnd(table_.add(std::move(window)));
  if (handle) raw->handle = handle;
  return handle;
}

void WindowManager::remove(HWND window) { table_.remove(valueOf(window)); }

Window* WindowManager::rootOf(Window* w) const {
  while (w && w->isChild()) w = find(w->parent);
  return w;
}

std::vector<HWND>* WindowManager::siblingsOf(const Window* w) {
  if (w->isChild()) {
    Window* parent = find(w->parent);
    return parent ? &parent->children : nullptr;
  }
  return &topLevels_;
}

std::vector<Window*> WindowManager::windowsOfThread(DWORD threadId) const {
  std::vector<Window*> out;
  table_.forEach([&](uint32_t, Window* w) {
    if (w->threadId == threadId && !w->desktop) out.push_back(w);
  });
  return out;
}

bool WindowManager::reallyVisible(const Window* w) const {
  while (w) {
    if (!w->visibleStyle() || (w->style & WS_MINIMIZE)) return false;
    if (!w->isChild()) return true;
    w = find(w->parent);
  }
  return false;
}

POINT WindowManager::clientOriginOnScreen(const Window* w) const {
  POINT p{w->clientRect.left, w->clientRect.top};
  for (const Window* parent = parentOf(w); parent; parent = parentOf(parent)) {
    p.x += parent->clientRect.left;
    p.y += parent->clientRect.top;
  }
  return p;
}

RECT WindowManager::windowRectOnScreen(const Window* w) const {
  const Window* parent = parentOf(w);
  if (!parent) return w->windowRect;
  return offsetRect(w->windowRect, clientOriginOnScreen(parent));
}

POINT WindowManager::windowOriginInSurface(const Window* w) const {
  const Window* parent = parentOf(w);
  if (!parent) return POINT{0, 0};
  POINT p = clientOriginInSurface(parent);
  return POINT{p.x + w->windowRect.left, p.y + w->windowRect.top};
}

POINT WindowManager::clientOriginInSurface(const Window* w) const {
  POINT origin = windowOriginInSurface(w);
  return POINT{origin.x + w->clientRect.left - w->windowRect.left, origin.y + w->clientRect.top - w->windowRect.top};
}

gdi::Region WindowManager::visibleArea(const Window* w, bool clientOnly) const {
  if (!reallyVisible(w)) return gdi::Region();
  POINT origin = windowOriginInSurface(w);
  RECT own = clientOnly ? offsetRect(w->clientRect, POINT{origin.x - w->windowRect.left, origin.y - w->windowRect.top})
                        : RECT{origin.x, origin.y, origin.x + w->width(), origin.y + w->height()};
  gdi::Region area(own);
  if (w->shape && w->isChild()) {
    gdi::Region shape = *w->shape;
    shape.offset(origin.x, origin.y);
    area.intersect(shape);
  }
  // Children with WS_CLIPCHILDREN keep their own children's pixels.
  if (w->style & WS_CLIPCHILDREN) {
    POINT clientOrigin = clientOriginInSurface(w);
    for (HWND h : w->children)
      if (Window* c = find(h); c && c->visibleStyle()) area.subtract(offsetRect(c->windowRect, clientOrigin));
  }
  // Each ancestor's client area bounds its children; siblings above a WS_CLIPSIBLINGS window cover it.
  for (const Window* c = w; c->isChild();) {
    const Window* p = find(c->parent);
    if (!p) break;
    POINT pOrigin = clientOriginInSurface(p);
    area.intersect(offsetRect(RECT{0, 0, p->clientRect.right - p->clientRect.left, p->clientRect.bottom - p->clientRect.top},
                              pOrigin));
    if (c->style & WS_CLIPSIBLINGS) {
      for (HWND h : p->children) {
        if (h == c->handle) break;
        if (Window* s = find(h); s && s->visibleStyle()) area.subtract(offsetRect(s->windowRect, pOrigin));
      }
    }
    c = p;
  }
  const Window* root = rootOf(const_cast<Window*>(w));
  if (root) {
    area.intersect(RECT{0, 0, root->width(), root->height()});
    if (root->shape) area.intersect(*root->shape);
  }
  return area;
}

void WindowManager::refreshPaintCount(Window* w) {
  bool need = w->needsPaint() && reallyVisible(w);
  if (need == w->countedForPaint || !w->queue) return;
  w->countedForPaint = need;
  w->queue->addPaint(need ? 1 : -1);
}

void WindowManager::invalidate(Window* w, const gdi::Region& area, bool erase, bool frame, bool allChildren,
                               bool noChildren) {
  if (!reallyVisible(w)) return;
  int cw = w->clientRect.right - w->clientRect.left, ch = w->clientRect.bottom - w->clientRect.top;
  gdi::Region part = area;
  part.intersect(RECT{0, 0, cw, ch});
  if (!part.empty()) {
    w->update.unite(part);
    if (erase) w->erasePending = true;
  }
  bool hasFrame = !(w->clientRect.left == w->windowRect.left && w->clientRect.top == w->windowRect.top &&
                    w->clientRect.right == w->windowRect.right && w->clientRect.bottom == w->windowRect.bottom);
  if (frame && hasFrame) w->framePending = true;
  refreshPaintCount(w);
  if (!(allChildren || (!noChildren && !(w->style & WS_CLIPCHILDREN)))) return;
  for (HWND h : w->children) {
    Window* c = find(h);
    if (!c || !c->visibleStyle()) continue;
    gdi::Region childArea = part;
    childArea.intersect(c->windowRect);
    if (childArea.empty()) continue;
    bool childFrame = false;
    {
      gdi::Region frameArea = childArea;
      frameArea.subtract(c->clientRect);
      childFrame = !frameArea.empty();
    }
    childArea.offset(-c->clientRect.left, -c->clientRect.top);
    invalidate(c, childArea, erase, childFrame, allChildren, noChildren);
  }
}

void WindowManager::invalidateAll(Window* w, bool erase) {
  gdi::Region all(RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top});
  invalidate(w, all, erase, true, true, false);
}

void WindowManager::validate(Window* w, const gdi::Region* area) {
  if (area) {
    w->update.subtract(*area);
  } else {
    w->update.clear();
  }
  if (w->update.empty()) {
    w->erasePending = false;
    w->internalPaint = false;
  }
  refreshPaintCount(w);
}

void WindowManager::ensureSurface(Window* root) {
  if (root->isChild()) return;
  int width = root->width(), height = root->height();
  if (root->surface && root->surface->width() == width && root->surface->height() == height) return;
  auto surface = gdi::Surface::create(width, height);
  if (surface && root->surface) surface->copyFrom(*root->surface);
  root->surface = surface;
}

void WindowManager::present(Window* root, const gdi::Region& surfaceArea) {
  if (!root || !root->surface || !root->onDisplay || surfaceArea.empty()) return;
  std::vector<display::Rect> rects;
  for (const RECT& r : surfaceArea.rects()) rects.push_back(display::Rect{r.left, r.top, r.right, r.bottom});
  display_->present(displayId(root->handle), root->surface->view(), rects);
}

bool WindowManager::takePaint(DWORD threadId, HWND filter, MSG* out) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    Lock guard(mutex_);
    Window* best = nullptr;
    int bestDepth = 0;
    table_.forEach([&](uint32_t, Window* w) {
      if (w->threadId != threadId || !w->countedForPaint || (filter && w->handle != filter)) return;
      int depth = 0;
      for (const Window* p = w; p->isChild(); p = find(p->parent)) ++depth;
      if (!best || depth < bestDepth) {
        best = w;
        bestDepth = depth;
      }
    });
    if (!best) return false;
    HWND handle = best->handle;
    if (best->framePending) {
      best->framePending = false;
      refreshPaintCount(best);
      guard.unlock();
      send(handle, WM_NCPAINT, 1, 0);
      continue;
    }
    if (best->update.empty()) best->internalPaint = false;  // an internal paint is delivered once
    refreshPaintCount(best);
    *out = MSG{handle, WM_PAINT, 0, 0, Clock::tick(), cursor};
    return true;
  }
  return false;
}

LRESULT WindowManager::callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC procedure;
  {
    Lock guard(mutex_);
    Window* w = find(window);
    if (!w || w->desktop) return 0;
    procedure = w->procedure;
  }
  return procedure ? procedure(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

bool WindowManager::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                         LRESULT* result) {
  *result = 0;
  std::shared_ptr<MessageQueue> receiver;
  {
    Lock guard(mutex_);
    Window* w = find(window);
    if (!w) return false;
    if (w->desktop) return true;
    if (w->threadId != GetCurrentThreadId()) receiver = w->queue;
  }
  if (!receiver) {
    *result = callProcedure(window, message, wParam, lParam);
    return true;
  }
  auto sender = QueueRegistry::current();
  auto sent = std::make_shared<SentMessage>();
  sent->window = window;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = sender;
  if (!receiver->deliverSend(sent)) return false;
  if (!sender->waitForReply(sent, flags, timeoutMs, receiver)) return false;
  *result = sent->result;
  return true;
}

LRESULT WindowManager::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  send(window, message, wParam, lParam, SMTO_NORMAL, INFINITE, &result);
  return result;
}

bool WindowManager::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input, POINT pt) {
  Lock guard(mutex_);
  Window* w = find(window);
  if (!w || !w->queue) return false;
  MSG m{window, message, wParam, lParam, Clock::tick(), pt};
  return input ? w->queue->postInput(m) : w->queue->post(m);
}

void WindowManager::destroyThreadWindows(DWORD threadId) {
  for (;;) {
    HWND next = nullptr;
    {
      Lock guard(mutex_);
      for (Window* w : windowsOfThread(threadId)) {
        // Take top-level windows (and children whose parent belongs to another thread) first.
        Window* parent = parentOf(w);
        if (!parent || parent->threadId != threadId) {
          next = w->handle;
          break;
        }
      }
    }
    if (!next || !DestroyWindow(next)) return;
  }
}

}  // namespace platform::user
