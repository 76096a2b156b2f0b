#include "data/spell/ZQSpell.h"

#include "frame/CVantor.h"

namespace {
zqv::Owned<ZQSpell> MakeRegistry() { return zqv::MakeOwned<ZQSpell>(); }
}  // namespace

ZQSpell& ZQSpell::Of() { return CVantor::App().Spell(&MakeRegistry); }
