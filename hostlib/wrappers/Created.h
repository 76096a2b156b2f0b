// Construction of a wrapper: the create's handle, or 0 after reporting the failure.
#pragma once
#include <cstdint>
#include <string_view>

namespace hostlib::detail {

struct CreateTexts {
  std::string_view message;
  std::string_view procedure;
};

// Sets INTERROR to 0 and gives the handle; a result of 0 or less is reported, kept in
// INTERROR, and gives handle 0.
int32_t Created(int32_t result, const CreateTexts& texts, int32_t& interror);

// Destroys through destroy when the handle is not 0, keeping its result in INTERROR.
template <class Destroy>
void Destructed(int32_t& handle, int32_t& interror, Destroy destroy) {
  if (handle == 0) return;
  interror = destroy(handle);
  handle = 0;
}

}  // namespace hostlib::detail
