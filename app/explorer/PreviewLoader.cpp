#include "PreviewLoader.h"

#include "ZQ_Graphic.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"

PreviewLoader::PreviewLoader(uint32_t notifyThread, PICTURE& picture)
    : notifyThread_(notifyThread), picture_(picture), worker_([this] { Work(); }) {}

PreviewLoader::~PreviewLoader() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;
  }
  wake_.notify_one();
  worker_.join();
  if (done_ && done_->second.picture != 0) zq::ui::ReleasePicture(done_->second.picture);
}

void PreviewLoader::Load(Request request) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    waiting_.emplace(++newest_, std::move(request));
  }
  wake_.notify_one();
}

void PreviewLoader::Drop() {
  std::lock_guard<std::mutex> hold(lock_);
  ++newest_;
  waiting_.reset();
}

std::optional<PreviewLoader::Result> PreviewLoader::Take() {
  std::lock_guard<std::mutex> hold(lock_);
  if (!done_) return std::nullopt;
  auto [number, result] = std::move(*done_);
  done_.reset();
  if (number == newest_) return result;
  if (result.picture != 0) zq::ui::ReleasePicture(result.picture);
  return std::nullopt;
}

void PreviewLoader::Work() {
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    wake_.wait(hold, [this] { return stop_ || waiting_.has_value(); });
    if (stop_) return;
    auto [number, request] = std::move(*waiting_);
    waiting_.reset();
    hold.unlock();
    const int32_t picture =
        GR_Load(picture_.GRHANDLE, static_cast<int32_t>(request.file.size()), request.file.data(), request.resizeMode,
                request.width, request.height, request.stripAlpha, 0);
    // The image object's buffer goes with the next load: the picture is held under a number
    // of its own until the explorer shows or drops it.
    uint32_t held = 0;
    if (picture > 0) {
      if (auto decoded = zq::ui::RegisteredPicture(static_cast<uint32_t>(picture))) held = zq::ui::RegisterPicture(decoded);
    }
    Result result{held, picture_.GETINFO()};
    GR_FreeBuf(picture_.GRHANDLE);
    hold.lock();
    if (number != newest_) {
      if (result.picture != 0) zq::ui::ReleasePicture(result.picture);
      continue;
    }
    if (done_ && done_->second.picture != 0) zq::ui::ReleasePicture(done_->second.picture);
    done_.emplace(number, std::move(result));
    zq::rt::Post(kPreviewReady, 0, notifyThread_);
  }
}
