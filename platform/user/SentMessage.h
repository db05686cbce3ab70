// A message sent from one thread to a window of another, waiting in the receiver's queue.
// The state moves pending -> started -> done, or pending -> withdrawn when the sender gives up
// first; a withdrawn message is never delivered, so its parameters never outlive the sender's call.
#pragma once

#include <win/user.h>

#include <atomic>
#include <memory>

namespace platform::user {

class MessageQueue;

struct SentMessage {
  enum State { pending, started, done, withdrawn };

  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // Null for SendNotifyMessage: nobody waits for the answer.
  std::shared_ptr<MessageQueue> sender;
  std::atomic<int> state{pending};
  bool failed = false;   // the receiving thread ended before it answered
  bool replied = false;  // ReplyMessage answered early; the final result is dropped
  LRESULT result = 0;
};

}  // namespace platform::user
