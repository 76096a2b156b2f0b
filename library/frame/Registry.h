// A handle registry: a lock that admits one holder and a map from handle to object.
// The registry owns its objects; create hands out the lowest free handle in O(log n).
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <new>

namespace zqv {

// Objects are held with a deleter chosen where the type is complete, so the application
// object can hold every registry while knowing its object types by name only.
template <class T>
using Owned = std::unique_ptr<T, void (*)(T*)>;

template <class T, class... Args>
Owned<T> MakeOwned(Args&&... args) {
  return Owned<T>(new T(std::forward<Args>(args)...), [](T* p) { delete p; });
}

constexpr int32_t kNoFreeHandle = -1;
constexpr int32_t kHandleOutOfRange = -2;
constexpr int32_t kHandleNotRegistered = -3;
constexpr int32_t kRemoveFailed = -4;

// How a family's registry answers.
struct RegistryRules {
  int32_t highestGiven;     // create hands out 1..highestGiven
  int32_t highestAccepted;  // look-up and destroy accept 1..highestAccepted
  bool lookupClearsCode;    // look-up sets the code word to 0 first
  int32_t destroyMissing;   // destroy of a handle in range that is not registered
};

constexpr RegistryRules kObjectRules{65535, 65535, true, kHandleNotRegistered};
constexpr RegistryRules kTimerRules{65534, 65535, false, 0};
constexpr RegistryRules kDatabaseRules{4095, 4096, false, 0};
constexpr RegistryRules kSpellRules{65534, 65535, false, 0};

// The lowest free handle of 1..highest (at most 65535), found in constant time: one bit per
// handle marks it free, and a summary bit per word marks the words that hold a free handle.
class HandlePool {
 public:
  explicit HandlePool(int32_t highest);
  // The lowest free handle, taken; -1 when none is free.
  int32_t Take();
  void Release(int32_t handle);
  void Reset();

 private:
  static constexpr int kWords = 65536 / 64;
  int32_t highest_;
  std::array<uint64_t, kWords> free_{};
  std::array<uint64_t, kWords / 64> summary_{};
};

template <class T, RegistryRules Rules>
class Registry {
 public:
  Registry() = default;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  static constexpr bool InRange(int32_t handle) {
    return static_cast<uint32_t>(handle) - 1u < static_cast<uint32_t>(Rules.highestAccepted);
  }

  // The new object's handle, or -1 when no handle is free (or memory is exhausted).
  template <class... Args>
  int32_t Create(Args&&... args) {
    std::lock_guard hold(lock_);
    return CreateHeld(std::forward<Args>(args)...);
  }

  // The object, or null with *code set to -2 or -3.
  T* Lookup(int32_t handle, int32_t* code) {
    if (Rules.lookupClearsCode && code) *code = 0;
    if (!InRange(handle)) {
      if (code) *code = kHandleOutOfRange;
      return nullptr;
    }
    std::lock_guard hold(lock_);
    auto it = objects_.find(static_cast<uint16_t>(handle));
    if (it == objects_.end()) {
      if (code) *code = kHandleNotRegistered;
      return nullptr;
    }
    return it->second.get();
  }

  int32_t Destroy(int32_t handle) {
    if (handle == 0) return 0;
    if (!InRange(handle)) return kHandleOutOfRange;
    std::lock_guard hold(lock_);
    return DestroyHeld(handle);
  }

  // For families whose operations hold the lock for their whole work.
  std::mutex& Lock() { return lock_; }

  template <class... Args>
  int32_t CreateHeld(Args&&... args) {
    int32_t handle = pool_.Take();
    if (handle < 0) return kNoFreeHandle;
    try {
      objects_.emplace(static_cast<uint16_t>(handle), MakeOwned<T>(std::forward<Args>(args)...));
    } catch (const std::bad_alloc&) {
      pool_.Release(handle);
      return kNoFreeHandle;
    } catch (...) {
      pool_.Release(handle);  // a failed construction leaves its handle free
      throw;
    }
    return handle;
  }

  T* LookupHeld(int32_t handle) {
    if (!InRange(handle)) return nullptr;
    auto it = objects_.find(static_cast<uint16_t>(handle));
    return it == objects_.end() ? nullptr : it->second.get();
  }

  int32_t DestroyHeld(int32_t handle) {
    auto it = objects_.find(static_cast<uint16_t>(handle));
    if (it == objects_.end()) return Rules.destroyMissing;
    it->second.reset();  // the object's own destruction runs while the key is still held
    objects_.erase(it);
    pool_.Release(handle);
    return 0;
  }

  // Deletes every object without taking the lock (library unload).
  void DeleteAll() {
    objects_.clear();
    pool_.Reset();
  }

  // Calls fn(handle, object) for every object, in handle order, under the lock.
  template <class Fn>
  void ForEach(Fn&& fn) {
    std::lock_guard hold(lock_);
    for (auto& [handle, object] : objects_) fn(static_cast<int32_t>(handle), *object);
  }

 private:
  std::mutex lock_;
  std::map<uint16_t, Owned<T>> objects_;
  HandlePool pool_{Rules.highestGiven};
};

}  // namespace zqv
