// Message: the one function through which every user-facing message goes.
// Mechanism: an SDL message box where a real display is available, caption
// and text on stderr otherwise; in a browser (platform/web/WebMessage), the
// page and its console. Tests install a hook to capture the texts.
#pragma once
#include <functional>
#include <string>

enum class TMessageIcon { Error, Warning, Information };

void ShowMessage(const std::string& caption, const std::string& text,
                 TMessageIcon icon = TMessageIcon::Error);

// While a hook is set, messages go to it alone (no dialog, no stderr).
using TMessageHook = std::function<void(const std::string& caption, const std::string& text)>;
void SetMessageHook(TMessageHook hook);
