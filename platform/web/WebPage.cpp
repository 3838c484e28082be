// WebPage: the request is read from the page's Module.demoRequest, which its
// script fills from the address.
#include "platform/web/WebPage.h"

#include <emscripten/emscripten.h>

#include <cmath>

namespace {
void (*Start)(const TWebRunRequest&) = nullptr;

// A number of the request; NaN when it has none.
EM_JS(double, web_page_number, (const char* name), {
  const v = (Module.demoRequest || {})[UTF8ToString(name)];
  return typeof v === "number" ? v : NaN;
});
EM_JS(int, web_page_still_count, (), { return ((Module.demoRequest || {}).stills || []).length; });
EM_JS(double, web_page_still_time, (int i), { return Module.demoRequest.stills[i]; });

EM_JS(void, web_page_tell, (const char* event, double value), {
  const page = Module.demoPage;
  if (page && page[UTF8ToString(event)]) page[UTF8ToString(event)](value);
});
EM_JS(void, web_page_still, (double time, int width, int height, const std::uint8_t* rgba), {
  Module.demoPage.still(time, width, height, HEAPU8.slice(rgba, rgba + width * height * 4));
});

double Number(const char* name, double otherwise) {
  const double v = web_page_number(name);
  return std::isnan(v) ? otherwise : v;
}

TWebRunRequest ReadRequest() {
  TWebRunRequest r;
  r.Scale = Number("scale", r.Scale);
  r.Msaa = static_cast<int>(Number("msaa", r.Msaa));
  r.Mute = Number("mute", 0) != 0;
  r.Loop = Number("loop", 0) != 0;
  r.StartSeconds = Number("start", r.StartSeconds);
  r.StartPattern = static_cast<int>(Number("pattern", r.StartPattern));
  r.Fps = static_cast<int>(Number("fps", r.Fps));
  r.AudioOffsetMs = Number("audio-offset", 0);
  for (int i = 0, n = web_page_still_count(); i < n; ++i) r.StillTimes.push_back(web_page_still_time(i));
  return r;
}
}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void WebPageStart() {
  if (Start) Start(ReadRequest());
}

void WebPageOnStart(void (*start)(const TWebRunRequest& request)) { Start = start; }
void WebPageReady() { web_page_tell("ready", 0); }
void WebPageRunStarted() { web_page_tell("started", 0); }
void WebPageFrameShown(double demoTime) { web_page_tell("frame", demoTime); }
void WebPageStill(double demoTime, int width, int height, const std::uint8_t* rgba) {
  web_page_still(demoTime, width, height, rgba);
}
void WebPageHolding() { web_page_tell("holding", 0); }
void WebPageRunEnded() { web_page_tell("ended", 0); }
