#include "engine/ImagePrefetch.h"

#include <condition_variable>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/JPGDecoder.h"
#include "engine/TGADecoder.h"
#include "platform/Files.h"

namespace {
struct TPrefetched {
  std::string Name;
  TImageKind Kind = TImageKind::JPG;
  bool Done = false, Taken = false;
  TPrefetchOutcome Outcome;
  TPixelImage Image;
};

TImageKind KindOfName(const std::string& name) {
  return LowerExtension(name) == ".tga" ? TImageKind::TGA : TImageKind::JPG;
}

struct TPrefetch {
  std::mutex Lock;
  std::condition_variable Ready;
  std::list<TPrefetched> Entries;  // stable addresses while the worker fills them
  std::thread Worker;
  ~TPrefetch() {
    if (Worker.joinable()) Worker.join();
  }
};

TPrefetch& State() {
  static TPrefetch state;
  return state;
}

void DecodeAll(std::list<TPrefetched>* entries) {
  TPrefetch& s = State();
  for (TPrefetched& e : *entries) {
    TPixelImage image;
    TPrefetchOutcome outcome;
    std::vector<std::uint8_t> file;
    outcome.Read = ReadFileBytes(e.Name, file);
    if (outcome.Read && e.Kind == TImageKind::TGA) {
      outcome.TGA = DecodeTGA(file.data(), file.size(), image);
      outcome.Decoded = outcome.TGA == TTGAStatus::Ok;
    } else if (outcome.Read) {
      outcome.Decoded = DecodeJPG(file.data(), file.size(), image);
    }
    std::lock_guard<std::mutex> hold(s.Lock);
    e.Image = std::move(image);
    e.Outcome = outcome;
    e.Done = true;
    s.Ready.notify_all();
  }
}
}  // namespace

void PrefetchImages(const std::vector<std::string>& names) {
  EndPrefetch();
  TPrefetch& s = State();
  for (const std::string& name : names) {
    TPrefetched e;
    e.Name = name;
    e.Kind = KindOfName(name);
    s.Entries.push_back(std::move(e));
  }
  try {
    s.Worker = std::thread(DecodeAll, &s.Entries);
  } catch (const std::system_error&) {
    // No threads here (a browser without shared memory): the loaders read
    // and decode each picture themselves, when they come to it.
    s.Entries.clear();
  }
}

std::optional<TPrefetchOutcome> TakePrefetchedImage(const std::string& name, TImageKind kind, TPixelImage& image) {
  TPrefetch& s = State();
  std::unique_lock<std::mutex> hold(s.Lock);
  // The list keeps its shape until EndPrefetch: the worker walks it.
  for (TPrefetched& e : s.Entries) {
    if (e.Name != name || e.Kind != kind || e.Taken) continue;
    s.Ready.wait(hold, [&] { return e.Done; });
    e.Taken = true;
    image = std::move(e.Image);
    return e.Outcome;
  }
  return std::nullopt;
}

void EndPrefetch() {
  TPrefetch& s = State();
  if (s.Worker.joinable()) s.Worker.join();
  s.Entries.clear();
}
