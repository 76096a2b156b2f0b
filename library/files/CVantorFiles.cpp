// The file registry's operations, where the file object is complete.
#include "files/FileIO.h"
#include "frame/CVantor.h"

int32_t CVantor::CreateFileIO() { return files.Create(); }

FileIO* CVantor::LookupFileIO(int32_t h, int32_t* code) { return files.Lookup(h, code); }

int32_t CVantor::DestroyFileIO(int32_t h) { return files.Destroy(h); }
