#pragma once

#include <functional>
#include <string>

namespace fmx {

// A modal notice: the text, the application's title as caption, no icon,
// one OK button. Returns when the user has closed it.
void ShowMessage(const std::u16string& text);

// Replaces the notice (tests record the text instead of opening a box).
// An empty handler restores the real one; the previous handler is returned.
using TMessageHandler = std::function<void(const std::u16string& text)>;
TMessageHandler SetMessageHandler(TMessageHandler handler);

}  // namespace fmx
