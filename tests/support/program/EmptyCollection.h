// The program's four tables, empty, in a temporary folder made the working directory: the
// collection the program finds when it starts there.
#pragma once

#include "WorkingFolder.h"

class EmptyCollection : public WorkingFolder {
public:
    EmptyCollection();
};
