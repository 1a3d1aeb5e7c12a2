// An empty collection in a temporary working folder with the data module open on it, helpers
// that add records, and the pages of a report's preview decoded from their EMF records.
#pragma once

#include "DataModule.h"
#include "EmptyCollection.h"
#include "PageRecords.h"
#include "QtPrinting.h"
#include "RpPrinter.h"
#include "TableRecords.h"
#include "Transactions.h"

#include "Demopre.h"

#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Runs act once the modal window is up, then closes it with its door if act left it open.
// Generation lets pending events run before each band, so the check waits for the window.
inline void whileShown(const std::function<void()> &act, int tries = 200)
{
    QTimer::singleShot(tries == 200 ? 0 : 5, [act, tries] {
        if (!PrevForm->isVisible()) {
            if (tries > 0)
                whileShown(act, tries - 1);
            else
                ADD_FAILURE() << "the preview window never showed";
            return;
        }
        act();
        if (PrevForm->isVisible())
            PrevForm->BitBtn2->click();
    });
}

class ReportsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dataModule = new TDataModule1;
        dataModule->DataModuleCreate();
        RpPrinter().Cancelled = false;
    }
    void TearDown() override
    {
        RpPrinter().OnPreview = nullptr;
        delete dataModule;
    }

    // Keeps the decoded pages of every preview instead of showing them.
    void capturePreviews()
    {
        RpPrinter().OnPreview = [this] {
            pages.clear();
            for (const QByteArray &page : RpPrinter().Pages())
                pages.append(pagerecords::decode(page));
        };
    }

    void addCD(const QString &artista, const QString &titulo, const QString &aquisicao = QString(),
               const QString &estilo = QString(), const QString &retirada = QStringLiteral("N"),
               const QString &numero = QString())
    {
        put(dataModule->CD, {{"Artista", artista}, {"Titulo", titulo}, {"Aquisicao", aquisicao},
                             {"Estilo", estilo}, {"Retirada", retirada}, {"Numero", numero}});
    }
    void addCheckout(const QString &artista, const QString &titulo, const QString &dataRetirada,
                     const QString &responsavel, const QString &telefone, const QString &dataEntrega)
    {
        put(dataModule->Retirada, {{"Artista", artista}, {"Titulo", titulo}, {"Data_Retirada", dataRetirada},
                                   {"Responsavel", responsavel}, {"Telefone", telefone},
                                   {"Data_Entrega", dataEntrega}});
    }
    void addSong(const QString &artista, const QString &titulo, const QString &musica)
    {
        put(dataModule->Musica, {{"Artista", artista}, {"Titulo", titulo}, {"Musica", musica}});
    }

    // The texts printed at x on page (1-based), top to bottom.
    QStringList column(int page, int x) const
    {
        QStringList out;
        for (const auto &t : pages.at(page - 1).texts)
            if (t.x == x)
                out << t.text;
        return out;
    }
    // The texts of one printed line (same y), left to right as recorded.
    QStringList line(int page, int y) const
    {
        QStringList out;
        for (const auto &t : pages.at(page - 1).texts)
            if (t.y == y)
                out << t.text;
        return out;
    }

    EmptyCollection dir;
    TDataModule1 *dataModule = nullptr;
    QVector<pagerecords::Page> pages;
};
