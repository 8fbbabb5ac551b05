#include "gui/platform/InitResources.h"

#include <QtGlobal>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void InitRowsmithQrc() { Q_INIT_RESOURCE(rowsmith); }

namespace rs {

void InitResources() { InitRowsmithQrc(); }

}  // namespace rs
