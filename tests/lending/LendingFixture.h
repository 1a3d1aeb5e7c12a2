// The program started on a small collection, with its lending windows registered, and the
// means to use them as a person would.
#pragma once

#include "../app/AppFixture.h"

#include "DBEdit.h"
#include "DBListBox.h"
#include "DBLookupComboBox.h"
#include "LendingWindows.h"
#include "Transactions.h"

#include <QLineEdit>
#include <QPushButton>

class LendingFixture : public AppFixture {
protected:
    TFormPrincipal *startWith(const QStringList &artists, const QList<QStringList> &cds)
    {
        TFormPrincipal *w = start();
        registerLendingWindows(w);
        for (const QString &a : artists)
            put(DataModule1->Artista, {{"artista", a}});
        for (const QStringList &cd : cds) // artist, title, flag, number
            put(DataModule1->CD, {{"artista", cd[0]}, {"titulo", cd[1]}, {"retirada", cd[2]}, {"numero", cd.value(3)}});
        tables::commitAll();
        return w;
    }

    static void put(tables::Table *t, const QList<std::pair<QString, QString>> &fields)
    {
        t->append();
        for (const auto &[name, value] : fields)
            t->setFieldText(name, value);
        t->post();
    }

    // Moves the lookup list to an entry with the arrow keys, as the keyboard does.
    static void chooseInLookup(dataaware::DBLookupComboBox *combo, const QString &text)
    {
        combo->setFocus();
        const int target = combo->listEntries().indexOf(text);
        ASSERT_GE(target, 0) << text.toStdString();
        while (combo->currentIndex() < target)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > target)
            QTest::keyClick(combo, Qt::Key_Up);
    }

    // Types text key by key, accented letters included (QTest's own typing knows only ASCII).
    static void typeText(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    static void clickLine(QListWidget *list, const QString &text)
    {
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }

    static QStringList lines(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    QString flagOf(const QString &artist, const QString &title)
    {
        DataModule1->CD->selectIndex("iartista_titulo");
        return DataModule1->CD->findKey({artist, title}) ? DataModule1->CD->fieldText("retirada") : "?";
    }

    // Every CD as "artist|title|flag", in the table's default order, read through a cursor of
    // the test's own.
    static QStringList cdFlags()
    {
        tables::Table reader(DataModule1->CD->fileName());
        reader.open(tables::OpenMode::Shared);
        QStringList out;
        for (reader.first(); !reader.eof(); reader.next())
            out << reader.fieldText("artista") + '|' + reader.fieldText("titulo") + '|' + reader.fieldText("retirada");
        return out;
    }

    QStringList messages() const
    {
        QStringList out;
        for (const auto &b : boxes)
            out << b.text;
        return out;
    }
};
