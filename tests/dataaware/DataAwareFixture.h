// Test support for the data-bound controls: an artist table and a CD table in a temporary
// working folder, each with a data source, and a window to put the controls on.
#pragma once

#include "DataSource.h"
#include "QtPrinting.h"
#include "Schema.h"
#include "Table.h"
#include "TableRecords.h"
#include "Transactions.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class DataAwareFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        tables::createTableFile("artista.db", {{"Artista", tables::FieldType::Text, 40}});
        tables::createTableFile("cd.db", {{"Titulo", tables::FieldType::Text, 40},
                                          {"Aquisicao", tables::FieldType::Date, 0},
                                          {"Artista", tables::FieldType::Text, 40},
                                          {"Estilo", tables::FieldType::Text, 20}});
        artista = std::make_unique<tables::Table>("artista.db");
        artista->open();
        artista->addIndex("iartista", "artista");
        cd = std::make_unique<tables::Table>("cd.db");
        cd->open();
        cd->addIndex("ititulo", "titulo");
        artistaSource = std::make_unique<dataaware::DataSource>(artista.get());
        artistaSource->setAutoEdit(false);
        cdSource = std::make_unique<dataaware::DataSource>(cd.get());
        cdSource->setAutoEdit(false);
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
    }
    void TearDown() override
    {
        window.reset();
        tables::commitAll();
        cdSource.reset();
        artistaSource.reset();
        cd.reset();
        artista.reset();
    }

    void show()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    WorkingFolder dir;
    std::unique_ptr<tables::Table> artista, cd;
    std::unique_ptr<dataaware::DataSource> artistaSource, cdSource;
    std::unique_ptr<QWidget> window;
};
