#include "support/temp_dir.h"

#include <QDir>

namespace testsupport {

WorkingDir::WorkingDir() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

WorkingDir::~WorkingDir() {
    QDir::setCurrent(previous_);
}

} // namespace testsupport
