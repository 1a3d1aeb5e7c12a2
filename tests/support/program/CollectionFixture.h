// A test of the program on an empty collection: the tables in a temporary working folder, the
// message boxes answered by a script, and the program started on them as at start-up. Every
// window of the program and the data module are destroyed at the end of each test.
#pragma once

#include "EmptyCollection.h"
#include "FormPrincipal.h"
#include "MessageScript.h"
#include "QtPrinting.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

class CollectionFixture : public ::testing::Test, protected MessageScript {
protected:
    void SetUp() override;
    void TearDown() override;

    // Start-up as the program does it: main window and data module, shown maximised, exposed,
    // its first paints done.
    TFormPrincipal *start();
    // Start-up with the main window made active, as the registers need to take the focus;
    // false when it did not become active.
    bool startActive();

    // The program's windows of one kind inside the main window.
    template <class Form> static QList<Form *> children(TFormPrincipal *w)
    {
        QList<Form *> found;
        for (QMdiSubWindow *s : w->mdiArea->subWindowList()) {
            if (auto *f = qobject_cast<Form *>(s))
                found.append(f);
        }
        return found;
    }

    EmptyCollection dir;
    TFormPrincipal *main = nullptr;
};
