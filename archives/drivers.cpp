#include "drivers.h"

#include "arj32.h"
#include "cab32.h"
#include "lha32.h"
#include "rar32.h"
#include "tar32.h"
#include "zip32.h"

namespace archives {

std::unique_ptr<TArchiver> DriverFactory::Create(TArchiverType type) {
  std::unique_ptr<TArchiver> driver;
  switch (type) {
    case atLha: driver.reset(new TLha32); break;
    case atZip: driver.reset(new TZip32); break;
    case atCab: driver.reset(new TCab32); break;
    case atArj: driver.reset(new TArj32); break;
    case atTar: driver.reset(new TTar32); break;
    case atTgz: driver.reset(new TTgz32); break;
    case atBZ2: driver.reset(new TBZ232); break;
    case atRar: driver.reset(new TRar32); break;
    default: return nullptr;
  }
  driver->LoadDLL();
  return driver;
}

}  // namespace archives
