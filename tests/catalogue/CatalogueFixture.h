// An empty collection in a temporary working folder, the program started on it, and the
// message boxes answered by the test: each box is recorded, a Confirma takes the next queued
// answer (OK when none is queued).
#pragma once

#include "CollectionFiles.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "Messages.h"
#include "Startup.h"
#include "Transactions.h"
#include "../app/ModalBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

// Texts in failure messages as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class CatalogueFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        melvora::createEmptyCollection(dir.path());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        melvora::setMessageResponder([this](const melvora::MessageRequest &r) {
            boxes.push_back(r.text);
            if (whileAsking)
                whileAsking();
            if (modalBoxes)
                showModalBox();
            if (answers.empty())
                return true;
            const bool answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        main = createMainWindowAndData();
        main->showMaximized();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    }

    void TearDown() override
    {
        destroyMainWindowAndData();
        melvora::setMessageResponder({});
        QDir::setCurrent(QDir::tempPath());
    }

    // A register's navigator, Inserir, Editar, Apagar, Gravar, Cancela: a letter when enabled,
    // "-" when not.
    template <class Form> static QString registerStates(const Form *form)
    {
        QString s;
        s += form->DBNavigator1->isEnabled() ? u'N' : u'-';
        s += form->BitBtn5->isEnabled() ? u'I' : u'-';
        s += form->BitBtn2->isEnabled() ? u'E' : u'-';
        s += form->BitBtn6->isEnabled() ? u'A' : u'-';
        s += form->BitBtn7->isEnabled() ? u'G' : u'-';
        s += form->BitBtn1->isEnabled() ? u'C' : u'-';
        return s;
    }

    // Lets the event loop run pending work: first paints, commits, deferred deletions.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    static void add(tables::Table *t, const QStringList &values)
    {
        t->append();
        for (int i = 0; i < values.size(); ++i)
            t->setFieldText(t->fields().at(i).name, values[i]);
        t->post();
    }

    // CD records as the table defines them: Titulo, Aquisicao, Artista, Estilo, Retirada, Numero.
    static void addCD(const QString &titulo, const QString &artista, const QString &numero = QString())
    {
        add(DataModule1->CD, {titulo, QString(), artista, QString(), QStringLiteral("N"), numero});
    }
    static void addSong(const QString &artista, const QString &titulo, const QString &musica)
    {
        add(DataModule1->Musica, {artista, titulo, musica});
    }

    // Every stored record of a table in its default order, fields joined by "|", read through
    // a cursor of the test's own so that the shared one (and a pending edit on it) stays put.
    static QStringList rows(tables::Table *t)
    {
        tables::Table reader(t->fileName());
        reader.open(tables::OpenMode::Shared);
        QStringList out;
        for (reader.first(); !reader.eof(); reader.next()) {
            QStringList fields;
            for (const auto &f : reader.fields())
                fields << reader.fieldText(f.name);
            out << fields.join(u'|');
        }
        return out;
    }

    static QWidget *focused() { return QApplication::focusWidget(); }

    static void click(QAbstractButton *b)
    {
        ASSERT_TRUE(b->isEnabled()) << b->text().toStdString();
        // Near the left edge: a radio button takes clicks on its circle and caption only.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        settle();
    }
    static void enter(QWidget *w)
    {
        QTest::keyClick(w, Qt::Key_Return);
        settle();
    }
    static void type(QWidget *w, const QString &text)
    {
        QTest::keyClicks(w, text);
        settle();
    }

    QTemporaryDir dir;
    TFormPrincipal *main = nullptr;
    std::vector<QString> boxes;
    std::vector<bool> answers;
    std::function<void()> whileAsking;
    bool modalBoxes = false; // each box takes the focus as a real one does
};
