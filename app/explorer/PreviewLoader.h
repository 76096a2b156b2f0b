// The preview's decoding on a thread of its own, so the panels stay responsive while a large
// picture decodes: each request replaces the one still waiting, a result that a newer request
// has overtaken is dropped, and the explorer thread gets the event kPreviewReady when the
// newest result is there. The decoder uses the preview picture's image object while it runs.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/Events.h"
#include "hostlib/Picture.h"

class PreviewLoader {
 public:
  struct Request {
    std::string file;
    uint8_t resizeMode = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t stripAlpha = 0;
  };
  struct Result {
    uint32_t picture = 0;  // the registered picture; 0: the load failed
    std::string info;      // the image object's description of its last picture
  };

  PreviewLoader(uint32_t notifyThread, PICTURE& picture);
  ~PreviewLoader();  // waits for a decode in progress
  PreviewLoader(const PreviewLoader&) = delete;
  PreviewLoader& operator=(const PreviewLoader&) = delete;

  void Load(Request request);
  // A newer choice that shows no picture: whatever is waiting or decoding is dropped.
  void Drop();
  // The newest request's result, once; none while it decodes or after Drop.
  std::optional<Result> Take();

 private:
  void Work();

  uint32_t notifyThread_;
  PICTURE& picture_;
  std::mutex lock_;
  std::condition_variable wake_;
  uint64_t newest_ = 0;  // the number of the newest request or drop
  std::optional<std::pair<uint64_t, Request>> waiting_;
  std::optional<std::pair<uint64_t, Result>> done_;
  bool stop_ = false;
  std::thread worker_;
};
