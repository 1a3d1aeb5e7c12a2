// A report over a table of the table engine, read through a data source of the data-aware layer.
#include "DataSource.h"
#include "ReportFixture.h"
#include "RpTableDataSet.h"
#include "Table.h"
#include "Transactions.h"
#include "WorkingFolder.h"

class TableReport : public ReportFixture {
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        tables::createTableFile("retirada.db", {{"Responsavel", tables::FieldType::Text, 30},
                                                {"Data_Entrega", tables::FieldType::Date, 0}});
        table.setFileName("retirada.db");
        table.open();
        for (const auto &[who, date] : {std::pair{"Ana", "05/03/26"}, {"Bruno", "17/11/25"}}) {
            table.append();
            table.setFieldText("Responsavel", who);
            table.setFieldText("Data_Entrega", date);
            table.post();
        }
        tables::commitAll();
    }
    void TearDown() override
    {
        table.close();
        ReportFixture::TearDown();
    }

    WorkingFolder dir;
    tables::Table table;
    dataaware::DataSource source{&table};
};

TEST_F(TableReport, PrintsTextAndDateFieldsOfEveryRecord)
{
    TRpDataSet *data = addTableDataSource(form, "RetiradaSource", &source);
    report->setDataSource(data);
    auto *detail = band(rbDetail, 40);
    field(detail, data, "Responsavel", 8, 7);
    field(detail, data, "Data_Entrega", 300, 7);
    preview();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(texts(0), QStringList({"Ana", "05/03/26", "Bruno", "17/11/25"}));
    EXPECT_EQ(where("Bruno"), QStringList({"p1:47"}));
    EXPECT_EQ(report->run()->RecordCount, 2);

    // A closed table prints one detail pass of empty fields, as a report without data does.
    table.close();
    preview();
    EXPECT_EQ(texts(0), QStringList({"", ""}));
    // Removing the data source clears every reference to it.
    form.removeDataSource("RetiradaSource");
    EXPECT_EQ(report->DataSource(), nullptr);
}
