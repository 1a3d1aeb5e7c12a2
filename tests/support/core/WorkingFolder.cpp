#include "WorkingFolder.h"

#include <QDir>

WorkingFolder::WorkingFolder() : previous_(QDir::currentPath())
{
    entered_ = dir_.isValid() && QDir::setCurrent(dir_.path());
}

WorkingFolder::~WorkingFolder()
{
    // Leave the folder before it is removed: nothing may keep it as its working directory.
    if (!QDir::setCurrent(previous_))
        QDir::setCurrent(QDir::tempPath());
}
