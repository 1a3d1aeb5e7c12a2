// Tables made for the test in a temporary working folder, each held open until the test ends.
#pragma once

#include "DateText.h"
#include "QtPrinting.h"
#include "Schema.h"
#include "Table.h"
#include "TableRecords.h"
#include "Transactions.h"
#include "WorkingFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TableFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        tables::commitAll();
        opened.clear();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A table of songs, with the given indexes added ("name=field;field").
    tables::Table &makeTable(const QString &file, const tables::Schema &schema, const QStringList &indexes = {})
    {
        tables::createTableFile(path(file), schema);
        tables::Table &t = open(file);
        for (const QString &spec : indexes) {
            const auto parts = spec.split(u'=');
            t.addIndex(parts[0], parts[1], true);
        }
        return t;
    }

    tables::Table &open(const QString &file, tables::OpenMode mode = tables::OpenMode::Exclusive)
    {
        opened.push_back(std::make_unique<tables::Table>(path(file)));
        opened.back()->open(mode);
        return *opened.back();
    }

    void closeAll()
    {
        tables::commitAll();
        opened.clear();
    }

    static tables::Schema songSchema()
    {
        return {{"Artista", tables::FieldType::Text, 40},
                {"Titulo", tables::FieldType::Text, 40},
                {"Musica", tables::FieldType::Text, 40}};
    }

    WorkingFolder dir;
    std::vector<std::unique_ptr<tables::Table>> opened;
};
