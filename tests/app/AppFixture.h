// The program started on an empty collection as at start-up, its message boxes answered by the
// test, and stand-ins for what the main window reaches outside this folder.
#pragma once

#include "ChildForm.h"
#include "CollectionFixture.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "Messages.h"
#include "Startup.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

class AppFixture : public CollectionFixture {
protected:
    // Appends count records, each with its first text field set to "R<n>".
    static void addRecords(tables::Table *t, int count)
    {
        for (int i = 0; i < count; ++i) {
            t->append();
            for (const tables::FieldDef &f : t->fields()) {
                if (f.type == tables::FieldType::Text) {
                    t->setFieldText(f.name, QStringLiteral("R%1").arg(i));
                    break;
                }
            }
            t->post();
        }
    }
};

// A child window standing in for the windows of the other folders: it re-enables its command
// pair when it closes, as they do, and counts its close handler.
class TStandInForm : public TChildForm {
    Q_OBJECT
public:
    TStandInForm(TFormPrincipal *owner, QAction *item, QAbstractButton *button, int *closes)
        : TChildForm(owner, QStringLiteral("Janela"), Box::Minimise), item_(item), button_(button),
          closes_(closes)
    {
        auto *contents = new QWidget;
        contents->setFixedSize(220, 120);
        showInFrame(contents);
    }

protected:
    void FormClose() override
    {
        ++*closes_;
        item_->setEnabled(true);
        button_->setEnabled(true);
    }

private:
    QAction *item_;
    QAbstractButton *button_;
    int *closes_;
};

// Takes the place of the system's viewer for local files.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};
