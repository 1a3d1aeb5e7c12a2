// Test support: a temporary working folder holding tables made for the test.
#pragma once

#include "DateText.h"
#include "Schema.h"
#include "Table.h"
#include "Transactions.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TableFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override
    {
        tables::commitAll();
        opened.clear();
        QDir::setCurrent(previous);
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

    static void add(tables::Table &t, const QStringList &values)
    {
        t.append();
        for (int i = 0; i < values.size(); ++i)
            t.setFieldText(i, values[i]);
        t.post();
    }

    // The values of one field in the cursor's current order, walked with next().
    static QStringList column(tables::Table &t, const QString &field)
    {
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.fieldText(field);
        return out;
    }

    QTemporaryDir dir;
    QString previous;
    std::vector<std::unique_ptr<tables::Table>> opened;
};
