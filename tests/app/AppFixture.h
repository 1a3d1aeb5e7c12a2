// A collection of empty tables in a temporary working directory, the program started on it as
// at start-up, and the message boxes answered by the test: each box is recorded, and a Confirma
// takes the next answer queued (OK when none is).
#pragma once

#include "ChildForm.h"
#include "CollectionFiles.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "Messages.h"
#include "Startup.h"
#include "ModalBox.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        melvora::createEmptyCollection(dir.path());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        melvora::setMessageResponder([this](const melvora::MessageRequest &r) {
            boxes.push_back(r);
            if (modalBoxes)
                showModalBox();
            if (answers.empty())
                return true;
            const bool answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }

    void TearDown() override
    {
        destroyMainWindowAndData();
        melvora::setMessageResponder({});
        QDir::setCurrent(QDir::tempPath());
    }

    // Start-up as the program does it: main window, data module, shown maximised.
    TFormPrincipal *start()
    {
        TFormPrincipal *w = createMainWindowAndData();
        w->showMaximized();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        settle();
        return w;
    }

    // Lets the event loop run the pending jobs (first paints, deferred deletions).
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    template <class Form> static QList<Form *> children(TFormPrincipal *w)
    {
        QList<Form *> found;
        for (QMdiSubWindow *s : w->mdiArea->subWindowList()) {
            if (auto *f = qobject_cast<Form *>(s))
                found.append(f);
        }
        return found;
    }

    void addRecords(tables::Table *t, int count)
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

    QTemporaryDir dir;
    std::vector<melvora::MessageRequest> boxes;
    std::vector<bool> answers;
    bool modalBoxes = false; // each box takes the focus as a real one does
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
