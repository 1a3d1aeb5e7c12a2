// The program started on an empty collection with its main window active, the message boxes
// answered by the test, and the registers' records and button states read back.
#pragma once

#include "CollectionFixture.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "Messages.h"
#include "Startup.h"
#include "TableRecords.h"
#include "Transactions.h"
#include "WindowDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

class CatalogueFixture : public CollectionFixture {
protected:
    void SetUp() override
    {
        CollectionFixture::SetUp();
        ASSERT_TRUE(startActive());
    }

    // A register opened inside the main window, its first paint done.
    template <class Form> Form *openRegister()
    {
        auto *form = new Form(main);
        settle();
        return form;
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

    // CD records as the table defines them: Titulo, Aquisicao, Artista, Estilo, Retirada, Numero.
    static void addCD(const QString &titulo, const QString &artista, const QString &numero = QString())
    {
        add(DataModule1->CD, {titulo, QString(), artista, QString(), QStringLiteral("N"), numero});
    }
    static void addSong(const QString &artista, const QString &titulo, const QString &musica)
    {
        add(DataModule1->Musica, {artista, titulo, musica});
    }
};
