// The database registry's operations, where the database object is complete.
#include "data/db/CLASQL.h"
#include "frame/CVantor.h"

int32_t CVantor::CreateDatabase() { return databases.Create(); }

CLASQL* CVantor::LookupDatabase(int32_t h, int32_t* code) { return databases.Lookup(h, code); }

int32_t CVantor::DestroyDatabase(int32_t h) { return databases.Destroy(h); }
