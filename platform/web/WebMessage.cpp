// WebMessage: platform/Message.h in a browser. A message is shown in the page
// (its message panel, where it stays until the next start) and written to the
// console at its level: errors as errors, the loaders' notices as
// information. Nothing blocks, as an alert would.
// Mechanism: EM_JS into the page's script (page.js, Module.demoPage.message).
#include "platform/Message.h"

#include <emscripten/emscripten.h>

namespace {
TMessageHook Hook;

EM_JS(void, web_show_message, (const char* caption, const char* text, int level), {
  const c = UTF8ToString(caption), t = UTF8ToString(text);
  const page = Module.demoPage;
  if (page && page.message) page.message(c, t, ["error", "warning", "information"][level]);
  else console.error(c + ": " + t);
});

int Level(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Warning: return 1;
    case TMessageIcon::Information: return 2;
    case TMessageIcon::Error: break;
  }
  return 0;
}
}  // namespace

void SetMessageHook(TMessageHook hook) { Hook = std::move(hook); }

void ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) {
  if (Hook) return Hook(caption, text);
  web_show_message(caption.c_str(), text.c_str(), Level(icon));
}
