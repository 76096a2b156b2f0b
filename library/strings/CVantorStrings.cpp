// The string registry's operations.
#include "frame/CVantor.h"
#include "strings/XSObject.h"

int32_t CVantor::CreateString() { return strings.Create(); }

XSObject* CVantor::LookupString(int32_t h, int32_t* code) { return strings.Lookup(h, code); }

int32_t CVantor::DestroyString(int32_t h) { return strings.Destroy(h); }
