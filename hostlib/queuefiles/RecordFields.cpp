#include "queuefiles/RecordFields.h"

#include "hostlib/QueueFiles.h"

namespace hostlib::detail {

int32_t CountFields(const zq::rt::RecordLayout& layout, uint32_t& fields) {
  fields = 0;
  for (uint32_t n = 1; const zq::rt::Field* field = layout.At(n); ++n) {
    if (field->name.find_first_not_of(' ') == std::string::npos) break;
    if (field->kind == zq::rt::FieldKind::Group || field->kind == zq::rt::FieldKind::Reference) {
      return kQueueFileGroup;
    }
    fields = n;
  }
  return fields == 0 ? kQueueFileNoField : 0;
}

}  // namespace hostlib::detail
