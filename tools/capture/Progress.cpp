// Progress: the line is redrawn in place with a carriage return.
#include "tools/capture/Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Process.h"

std::string Clock(double seconds) {
  const long long s = std::max(0LL, std::llround(seconds));
  char text[32];
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  return text;
}

std::string ProgressLine(long long done, long long total, double elapsed, int columns) {
  total = std::max(1LL, total);
  done = std::clamp(done, 0LL, total);
  const double fraction = static_cast<double>(done) / total;
  std::string tail = " " + std::to_string(static_cast<int>(fraction * 100)) + "% " + std::to_string(done) + "/" +
                     std::to_string(total);
  if (done > 0 && elapsed > 0) {
    const double fps = done / elapsed;
    char rate[32];
    std::snprintf(rate, sizeof rate, " %.1f fps", fps);
    tail += rate;
    tail += " left " + Clock((total - done) / fps);
  }
  const int barWidth = std::max(0, columns - 1 - static_cast<int>(tail.size()) - 2);
  if (barWidth < 10) return tail.substr(1, std::max(0, columns - 1));
  const int filled = static_cast<int>(fraction * barWidth);
  return "[" + std::string(filled, '#') + std::string(barWidth - filled, '.') + "]" + tail;
}

TProgressBar::TProgressBar(long long total)
    : Total(total), Enabled(StderrIsTerminal()), Began(std::chrono::steady_clock::now()), LastDrawn() {}

void TProgressBar::Update(long long done) {
  if (!Enabled) return;
  const auto now = std::chrono::steady_clock::now();
  if (done < Total && now - LastDrawn < std::chrono::milliseconds(100)) return;
  LastDrawn = now;
  const double elapsed = std::chrono::duration<double>(now - Began).count();
  std::fprintf(stderr, "\r%s\033[K", ProgressLine(done, Total, elapsed, TerminalColumns()).c_str());
  std::fflush(stderr);
}

void TProgressBar::Finish() {
  if (!Enabled) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
}
