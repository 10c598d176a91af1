#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A temporary directory that is the process's working directory while it
// lives; the previous working directory comes back when it goes.
class WorkingDir {
public:
    WorkingDir();
    ~WorkingDir();
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

} // namespace testsupport
