// The program started on a small collection, with its lending windows registered, and the
// means to use them as a person would.
#pragma once

#include "CollectionFixture.h"
#include "DataModule.h"
#include "LendingWindows.h"
#include "TableRecords.h"
#include "WindowDriver.h"

#include "DBEdit.h"
#include "DBListBox.h"
#include "DBLookupComboBox.h"
#include "Transactions.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class LendingFixture : public CollectionFixture {
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
};
