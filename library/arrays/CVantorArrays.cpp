// The array registry's operations, where the array type is complete.
#include "arrays/RevArray.h"
#include "frame/CVantor.h"

int32_t CVantor::CreateArray() { return arrays.Create(); }

RevArray* CVantor::LookupArray(int32_t h, int32_t* code) { return arrays.Lookup(h, code); }

int32_t CVantor::DestroyArray(int32_t h) { return arrays.Destroy(h); }
