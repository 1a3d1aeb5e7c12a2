// The report model: stored properties and their units, references and removal, the form
// reader, number pictures, the page store's states and the progress counters.
#include "FloatFormat.h"
#include "StorePages.h"
#include "ReportFixture.h"
#include "RpFormReader.h"
#include "EmfPlayer.h"
#include "Rounding.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(rp::roundHalfEven(2.5), 2);
    EXPECT_EQ(rp::roundHalfEven(3.5), 4);
    EXPECT_EQ(rp::roundHalfEven(-2.5), -2);
    EXPECT_EQ(rp::roundHalfEven(12.7), 13);
}

using Margins = ReportFixture;

TEST_F(Margins, MarginUnitsConvertBothWays)
{
    report->setLeftMarginMM(13);
    EXPECT_EQ(report->LeftMarginInches(), 5); // 5.118 tenths
    EXPECT_NEAR(report->LeftMargin, 13 / 25.4, 1e-12);
    report->setLeftMarginInches(5);
    EXPECT_EQ(report->LeftMarginMM(), 13); // 12.7
    report->setColumnMarginMM(25);
    EXPECT_EQ(report->ColumnMarginInches(), 10); // 9.84
    report->setColumns(3);
    report->setColumns(0);
    report->setColumns(-2);
    EXPECT_EQ(report->Columns(), 3);
}

TEST_F(Margins, ALeftMarginMovesEveryBand)
{
    report->setLeftMarginMM(13); // 0.5118 inch: 49 units
    label(band(rbDetail, 20), "x", 3, 0);
    preview();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].texts[0].x, 52);
    EXPECT_EQ(report->run()->ColumnWidth, 748 - 49);
}

using ComponentNames = ReportFixture;

TEST_F(ComponentNames, RemovedComponentsAreNoLongerNamed)
{
    auto *group = form.create<TRpGroup>();
    auto *header = band(rbTitle, 10);
    group->setHeaderBand(header);
    EXPECT_EQ(group->HeaderBand(), header);
    form.destroyComponent(header);
    EXPECT_EQ(group->HeaderBand(), nullptr);

    auto *link = form.create<TRpDetailLink>();
    link->setMaster(report);
    auto *ds = namesDataSet({"a"});
    link->setDataSource(ds);
    delete ds;
    EXPECT_EQ(link->DataSource(), nullptr);
    form.destroyComponent(report);
    report = nullptr;
    EXPECT_EQ(link->Master(), nullptr);
}

using GroupLevels = ReportFixture;

TEST_F(GroupLevels, GroupsTakeTheNextLevelUnlessStored)
{
    auto *g0 = form.create<TRpGroup>();
    auto *g1 = form.create<TRpGroup>();
    auto *g2 = form.create<TRpGroup>();
    EXPECT_EQ(g0->Level, 0);
    EXPECT_EQ(g1->Level, 1);
    EXPECT_EQ(g2->Level, 2);
    g2->setStoredProperty("Level", "7");
    EXPECT_EQ(g2->Level, 7);
}

namespace {

// A report form with handlers of its own, bound by name from its definition.
class HandlerForm : public TRpForm {
public:
    int beforePrintCalls = 0;
    void bindEvent(TRpComponent *component, const QString &event, const QString &handler) override
    {
        if (handler == "RpReport1BeforePrint" && event == "BeforePrint")
            static_cast<TRpReport *>(component)->BeforePrint = [this](TRpReport *, bool &) { ++beforePrintCalls; };
        else
            TRpForm::bindEvent(component, event, handler);
    }
};

void read(TRpForm &form, const QByteArray &xml)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    readReportForm(form, buffer);
}

const QByteArray Definition = R"(<?xml version="1.0" encoding="UTF-8"?>
<form name="RelTeste">
  <property name="Font.Name">MS Sans Serif</property>
  <property name="Font.Height">-11</property>
  <object class="TRpReport" name="RpReport1">
    <property name="DataSource">Fonte</property>
    <property name="LeftMarginInches">5</property>
    <property name="LeftMarginMM">13</property>
    <property name="ReportTitle">Relação</property>
    <property name="ShowProgress">False</property>
    <property name="BeforePrint">RpReport1BeforePrint</property>
  </object>
  <object class="TRpBand" name="RpBand1">
    <property name="BandType">rbPageHeader</property>
    <property name="Height">65</property>
    <property name="LinkBand">RpBand2</property>
    <object class="TRpLabel" name="RpLabel1">
      <property name="Caption">Relatório de Músicas</property>
      <property name="Left">16</property>
      <property name="Top">8</property>
      <property name="Font.Name">MS Sans Serif</property>
      <property name="Font.Style">[fsBold]</property>
      <property name="Font.Height">-17</property>
    </object>
  </object>
  <object class="TRpBand" name="RpBand2">
    <property name="BandType">rbDetail</property>
    <property name="Height">41</property>
    <object class="TRpDBText" name="RpDBText1">
      <property name="DataSource">Fonte</property>
      <property name="DataField">Nome</property>
      <property name="Left">16</property>
      <property name="Top">4</property>
      <property name="Width">200</property>
      <property name="Height">13</property>
    </object>
    <object class="TRpMemo" name="RpMemo1">
      <property name="Lines"><item>linha um</item><item>linha dois</item></property>
      <property name="Text">dropped</property>
    </object>
  </object>
</form>
)";

} // namespace

TEST(FormReader, CreatesComponentsInOrderWithPropertiesInStoredOrder)
{
    HandlerForm form;
    auto *ds = namesDataSet({"Asa Branca", "Carinhoso"}, &form);
    form.addDataSource("Fonte", ds);
    read(form, Definition);
    QStringList names;
    for (TRpComponent *c : form.components())
        names << c->Name;
    EXPECT_EQ(names, QStringList({"RpReport1", "RpBand1", "RpLabel1", "RpBand2", "RpDBText1", "RpMemo1"}));
    auto *report = qobject_cast<TRpReport *>(form.findComponent("RpReport1"));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->LeftMarginMM(), 13);
    EXPECT_NEAR(report->LeftMargin, 13 / 25.4, 1e-12); // the millimetres, read last, win
    EXPECT_EQ(report->ReportTitle, "Relação");
    EXPECT_EQ(report->DataSource(), ds);
    auto *band1 = qobject_cast<TRpBand *>(form.findComponent("RpBand1"));
    auto *band2 = qobject_cast<TRpBand *>(form.findComponent("RpBand2"));
    EXPECT_EQ(band1->LinkBand(), band2); // a reference to a later component
    auto *label = qobject_cast<TRpLabel *>(form.findComponent("RpLabel1"));
    EXPECT_EQ(label->parentBand(), band1);
    EXPECT_TRUE(label->effectiveFont().bold);
    EXPECT_EQ(label->effectiveFont().pixelHeight, 17);
    EXPECT_TRUE(label->AutoSize);
    auto *memo = qobject_cast<TRpMemo *>(form.findComponent("RpMemo1"));
    EXPECT_EQ(memo->Lines, QStringList({"linha um", "linha dois"}));
    EXPECT_EQ(band2->children().size(), 2);

    RpPrinter().Cancelled = false;
    QVector<pagerecords::Page> pages;
    RpPrinter().OnPreview = [&] {
        for (const QByteArray &p : RpPrinter().Pages())
            pages.append(pagerecords::decode(p));
    };
    report->Preview(RpPrinter());
    RpPrinter().OnPreview = nullptr;
    EXPECT_EQ(form.beforePrintCalls, 1);
    ASSERT_EQ(pages.size(), 1);
    const auto *first = pages[0].find("Asa Branca");
    ASSERT_TRUE(first);
    EXPECT_EQ(QPoint(first->x, first->y), QPoint(49 + 16, 65 + 4));
    EXPECT_EQ(pages[0].find("Carinhoso")->y, 65 + 41 + 4);
}

TEST(FormReader, RefusesWhatItCannotRead)
{
    const struct {
        const char *name;
        QByteArray xml;
        QString message;
    } cases[] = {
        {"unknown class", "<form name='f'><object class='TFoo' name='x'/></form>", "unknown class TFoo"},
        {"unknown property", "<form name='f'><object class='TRpBand' name='b'><property name='Colour'>1</property></object></form>",
         "b has no property Colour"},
        {"bad value", "<form name='f'><object class='TRpBand' name='b'><property name='BandType'>rbNothing</property></object></form>",
         "Invalid property value: BandType"},
        {"missing reference", "<form name='f'><object class='TRpBand' name='b'><property name='LinkBand'>zz</property></object></form>",
         "b.LinkBand: zz not found"},
        {"unbound handler", "<form name='f'><object class='TRpBand' name='b'><property name='BeforePrint'>h</property></object></form>",
         "handler h not found"},
        {"broken xml", "<form name='f'><object class='TRpBand' name='b'>", "line"},
        {"not a form", "<report/>", "starts with <form>"},
    };
    for (const auto &c : cases) {
        TRpForm form;
        try {
            read(form, c.xml);
            ADD_FAILURE() << c.name;
        } catch (const TRpError &e) {
            EXPECT_TRUE(e.message().contains(c.message)) << c.name << ": " << e.message().toStdString();
        }
    }
}

namespace {

const QByteArray EveryProperty = R"(<form name="Tudo">
  <object class="TRpReport" name="RpReport1">
    <property name="Tag">3</property><property name="DataSource">Fonte</property>
    <property name="ColumnMarginMM">5</property><property name="Columns">2</property>
    <property name="DisplayPrintDialog">True</property><property name="LeftMarginInches">4</property>
    <property name="Orientation">poLandscape</property><property name="RestartData">False</property>
    <property name="ShowProgress">False</property><property name="SQLCompatible">True</property>
    <property name="TitleBeforeHeader">True</property>
  </object>
  <object class="TRpBand" name="Cabeca">
    <property name="BandType">rbPageHeader</property><property name="Align">alTop</property>
    <property name="Color">$00FF8000</property><property name="Enabled">False</property>
    <property name="ForceNewPage">True</property><property name="Font.Style">[fsItalic, fsUnderline]</property>
    <property name="Frame.Width">2</property><property name="Frame.Color">clRed</property>
    <property name="Frame.Style">psDot</property><property name="Ruler">rrCmHV</property>
    <property name="Left">1</property><property name="Top">2</property>
    <property name="Width">700</property><property name="Height">40</property>
    <property name="LinkBand">Corpo</property>
    <object class="TRpShape" name="Linha">
      <property name="Shape">rsHorLine</property><property name="Pen.Width">3</property>
      <property name="Pen.Style">psDashDot</property><property name="Brush.Color">clYellow</property>
      <property name="Brush.Style">bsClear</property><property name="width">300</property>
    </object>
    <object class="TRpMemo" name="Nota">
      <property name="Lines"><item>a</item><item>b</item></property>
      <property name="Alignment">taCenter</property><property name="Color">clSilver</property>
      <property name="WordWrap">False</property><property name="Visible">False</property>
      <property name="HEIGHT">30</property><property name="Font.Size">12</property>
    </object>
  </object>
  <object class="TRpBand" name="Corpo">
    <property name="BandType">rbDetail</property>
    <object class="TRpLabel" name="Rotulo">
      <property name="Caption">Nome &amp; Cia</property><property name="Alignment">taRightJustify</property>
      <property name="AutoSize">False</property><property name="Transparent">True</property>
      <property name="AlignToBand">True</property><property name="ParentColor">True</property>
      <property name="Color">clNavy</property><property name="ParentFont">False</property>
      <property name="Font.Name">Arial</property><property name="Font.Color">$000000FF</property>
      <property name="Font.Charset">DEFAULT_CHARSET</property>
    </object>
    <object class="TRpDBCalc" name="Total">
      <property name="DataSource">Fonte</property><property name="DataField">Nome</property>
      <property name="Operation">rcCOUNT</property><property name="PrintMask">0.0</property>
      <property name="ResetBand">Cabeca</property><property name="Width">90</property>
    </object>
  </object>
  <object class="TRpGroup" name="Grupo">
    <property name="DataSource">Fonte</property><property name="DataField">Nome</property>
    <property name="Level">4</property><property name="HeaderBand">Cabeca</property>
    <property name="FooterBand">Corpo</property>
  </object>
  <object class="TRpDetailLink" name="Elo">
    <property name="DataSource">Fonte</property><property name="Master">RpReport1</property>
    <property name="PrintBefore">True</property><property name="DetailBand">Corpo</property>
    <property name="HeaderBand">Cabeca</property><property name="FooterBand">Corpo</property>
  </object>
</form>
)";

template <typename T> T *component(const TRpForm &form, const char *name)
{
    return qobject_cast<T *>(form.findComponent(name));
}

} // namespace

// Every stored property of every class reaches the component it names.
TEST(FormReader, SetsEveryStoredProperty)
{
    TRpForm form;
    auto *ds = namesDataSet({"x"}, &form);
    form.addDataSource("Fonte", ds);
    read(form, EveryProperty);

    auto *report = component<TRpReport>(form, "RpReport1");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Tag, 3);
    EXPECT_EQ(report->DataSource(), ds);
    EXPECT_EQ(report->ColumnMarginMM(), 5);
    EXPECT_EQ(report->Columns(), 2);
    EXPECT_TRUE(report->DisplayPrintDialog);
    EXPECT_EQ(report->LeftMarginInches(), 4);
    EXPECT_EQ(report->Orientation, poLandscape);
    EXPECT_FALSE(report->RestartData);
    EXPECT_FALSE(report->ShowProgress);
    EXPECT_TRUE(report->SQLCompatible);
    EXPECT_TRUE(report->TitleBeforeHeader);

    auto *header = component<TRpBand>(form, "Cabeca");
    auto *body = component<TRpBand>(form, "Corpo");
    ASSERT_TRUE(header && body);
    EXPECT_EQ(header->BandType, rbPageHeader);
    EXPECT_EQ(header->Color, QColor(0x00, 0x80, 0xff)); // $00BBGGRR
    EXPECT_FALSE(header->Enabled);
    EXPECT_TRUE(header->ForceNewPage);
    EXPECT_FALSE(header->ParentFont);
    EXPECT_TRUE(header->Font.italic && header->Font.underline && !header->Font.bold);
    EXPECT_EQ(header->Frame, (RpPen{Qt::red, 2, metafile::PenStyle::Dot}));
    EXPECT_EQ(header->Ruler, rrCmHV);
    EXPECT_EQ(QRect(header->Left, header->Top, header->Width, header->Height), QRect(1, 2, 700, 40));
    EXPECT_EQ(header->LinkBand(), body);
    EXPECT_EQ(body->BandType, rbDetail);

    auto *line = component<TRpShape>(form, "Linha");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Shape(), rsHorLine);
    EXPECT_EQ(line->Pen, (RpPen{Qt::black, 3, metafile::PenStyle::DashDot}));
    EXPECT_EQ(line->Brush, (RpBrush{Qt::yellow, true}));
    EXPECT_EQ(line->Width, 300);
    EXPECT_EQ(line->parentBand(), header);

    auto *memo = component<TRpMemo>(form, "Nota");
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->Lines, QStringList({"a", "b"}));
    EXPECT_EQ(memo->Alignment, taCenter);
    EXPECT_EQ(memo->Color, QColor(0xc0, 0xc0, 0xc0));
    EXPECT_FALSE(memo->WordWrap);
    EXPECT_FALSE(memo->Visible);
    EXPECT_EQ(memo->Height, 30);
    EXPECT_FALSE(memo->ParentFont);
    EXPECT_EQ(memo->Font.pixelHeight, 16); // 12 points at 96 per inch
    EXPECT_TRUE(memo->Font.italic);        // a font of its own starts from its band's

    auto *label = component<TRpLabel>(form, "Rotulo");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Caption(), "Nome & Cia");
    EXPECT_EQ(label->Alignment, taRightJustify);
    EXPECT_FALSE(label->AutoSize);
    EXPECT_TRUE(label->Transparent);
    EXPECT_TRUE(label->AlignToBand);
    EXPECT_EQ(label->Color, QColor(0, 0, 0x80));
    EXPECT_FALSE(label->ParentFont);
    EXPECT_EQ(label->Font.name, "Arial");
    EXPECT_EQ(label->Font.color, QColor(0xff, 0, 0));

    auto *total = component<TRpDBCalc>(form, "Total");
    ASSERT_TRUE(total);
    EXPECT_EQ(total->DataSource(), ds);
    EXPECT_EQ(total->DataField(), "Nome");
    EXPECT_EQ(total->Operation(), rcCOUNT);
    EXPECT_EQ(total->PrintMask, "0.0");
    EXPECT_EQ(total->ResetBand(), header);
    EXPECT_EQ(total->Width, 90);
    EXPECT_FALSE(total->AlignToBand);

    auto *group = component<TRpGroup>(form, "Grupo");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->DataSource(), ds);
    EXPECT_EQ(group->DataField, "Nome");
    EXPECT_EQ(group->Level, 4);
    EXPECT_EQ(group->HeaderBand(), header);
    EXPECT_EQ(group->FooterBand(), body);

    auto *link = component<TRpDetailLink>(form, "Elo");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->DataSource(), ds);
    EXPECT_EQ(link->Master(), report);
    EXPECT_TRUE(link->PrintBefore);
    EXPECT_EQ(link->DetailBand(), body);
    EXPECT_EQ(link->HeaderBand(), header);
    EXPECT_EQ(link->FooterBand(), body);
}

// Each class binds its own events through the form's handlers (the base form has none) and
// refuses by name what it does not publish, whatever a base class or another class has.
TEST(FormReader, EachClassTakesItsOwnEventsAndNoOtherNames)
{
    const char *bound = "x.%1: handler h not found";
    const char *refused = "x has no property %1";
    const struct {
        const char *className;
        QStringList properties;
        const char *value, *message;
    } cases[] = {
        {"TRpReport", {"AfterDetail", "AfterPrint", "BeforeDetail", "BeforePrint", "OnEndPage", "OnStartPage",
                       "OnFilter", "OnNeedData"}, "h", bound},
        {"TRpDetailLink", {"OnFilter", "OnNeedData"}, "h", bound},
        {"TRpGroup", {"OnNeedData"}, "h", bound},
        {"TRpBand", {"BeforePrint", "AfterPrint"}, "h", bound},
        {"TRpLabel", {"OnPrint"}, "h", bound},
        {"TRpDBText", {"OnPrint"}, "h", bound},
        {"TRpDBCalc", {"OnPrint"}, "h", bound},
        {"TRpShape", {"OnPrint"}, "h", bound},
        {"TRpGroup", {"OnFilter"}, "h", refused},
        {"TRpMemo", {"OnPrint", "Caption"}, "h", refused},
        {"TRpDBText", {"AlignToBand"}, "True", refused}, // its base has it; a data field does not
        {"TRpReport", {"HeaderBand", "DetailBand"}, "b", refused}, // only a detail link names bands
        {"TRpReport", {"PrintBefore"}, "True", refused},
        {"TRpBand", {"Align"}, "alClient", refused}, // bands stack from the top only
        {"TRpBand", {"width"}, "10", refused},       // a band's names are matched exactly
        {"TRpLabel", {"left"}, "10", refused},
        {"TRpLabel", {"Font.Weight", "Font"}, "3", refused},
        {"TRpShape", {"Pen.Mode"}, "pmCopy", refused},
    };
    for (const auto &c : cases)
        for (const QString &property : c.properties) {
            TRpForm form;
            const QByteArray xml = QStringLiteral("<form name='f'><object class='TRpBand' name='b'/>"
                                                  "<object class='%1' name='x'><property name='%2'>%3"
                                                  "</property></object></form>")
                                       .arg(c.className, property, c.value).toUtf8();
            const std::string what = c.className + ("." + property).toStdString();
            try {
                read(form, xml);
                ADD_FAILURE() << what;
            } catch (const TRpError &e) {
                EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.message).arg(property)))
                    << what << ": " << e.message().toStdString();
            }
        }
}

TEST(FloatFormat, Pictures)
{
    QLocale::setDefault(QLocale::c());
    const struct {
        const char *picture;
        double value;
        const char *expected;
    } cases[] = {
        {"", 1.5, "1.5"},
        {"", 1234567.125, "1234567.125"},
        {"", 1e20, "1E+20"},
        {"", 0, "0"},
        {"0.00", 3.14159, "3.14"},
        {"0.00", -3.14159, "-3.14"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", 999, "999"},
        {"#.##", 0.5, ".5"},
        {"0.0#", 2.5, "2.5"},
        {"0.0#", 2.567, "2.57"},
        {"000", 7, "007"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.0E-0", 0.00012, "1.2E-4"},
        {"'R$ '#,##0.00", 1500, "R$ 1,500.00"},
        {"0.00;(0.00);zero", -2, "(2.00)"},
        {"0.00;(0.00);zero", 0, "zero"},
        {"0.00;(0.00)", 0, "0.00"},
        {"0 \"un\"", 3, "3 un"},
        {"0.0e+0 'x'", 1234.5, "1.2e+3 x"}, // after the exponent's digits: literals
        {"#,##0.00 'kg'", 1234.5, "1,234.50 kg"},
        {"0E+00.#", 5, "5E+00."},          // a point inside the exponent is a literal
    };
    for (const auto &c : cases)
        EXPECT_EQ(rp::formatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
    QLocale::setDefault(QLocale::system());
}

TEST(PageStore, StatesAndCurrentPage)
{
    TRpPrinter store;
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
    store.NewPage(); // nothing while idle
    EXPECT_EQ(store.Canvas(), nullptr);
    store.BeginDoc();
    EXPECT_EQ(store.Status(), TRpPrinter::psCollecting);
    EXPECT_EQ(store.PageCount, 1);
    ASSERT_NE(store.Canvas(), nullptr);
    store.NewPage();
    store.NewPage();
    EXPECT_EQ(store.PageCount, 3);
    store.SetCurrentPage(2); // only when ready
    EXPECT_EQ(store.CurrentPage, 1);
    store.EndDoc();
    EXPECT_EQ(store.Status(), TRpPrinter::psReady);
    EXPECT_EQ(store.Pages().size(), 3);
    EXPECT_EQ(store.CurrentPage, 1);
    for (int n : {0, 4, -1})
        store.SetCurrentPage(n);
    EXPECT_EQ(store.CurrentPage, 1);
    store.SetCurrentPage(3);
    EXPECT_EQ(store.CurrentPage, 3);
    EXPECT_EQ(store.CurrentPageDrawing(), &store.Pages()[2]);
    // Every page is a complete EMF of the page's size.
    for (const QByteArray &page : store.Pages())
        EXPECT_EQ(metafile::emfDeviceSize(page), QSize(748, 1080));
    store.FromPage = 2;
    store.ToPage = 3;
    store.DiscardPages();
    EXPECT_EQ(store.Status(), TRpPrinter::psIdle);
    EXPECT_TRUE(store.Pages().isEmpty());
    EXPECT_EQ(store.FromPage, 0);
    EXPECT_EQ(store.ToPage, 0);
}

// Any two operations, from an idle store, leave it in a state that keeps what its state keeps.
TEST(PageStore, EveryOperationKeepsWhatItsStateKeeps)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = dir.filePath("tres.RPP"), empty = dir.filePath("vazio.RPP");
    {
        TRpPrinter store;
        makePages(store, 3);
        store.SaveToFile(saved);
    }
    QFile(empty).open(QIODevice::WriteOnly);
    const std::pair<const char *, std::function<void(TRpPrinter &)>> operations[] = {
        {"BeginDoc", [](TRpPrinter &s) { s.BeginDoc(); }},
        {"NewPage", [](TRpPrinter &s) { s.NewPage(); }},
        {"EndDoc", [](TRpPrinter &s) { s.EndDoc(); }},
        {"DiscardPages", [](TRpPrinter &s) { s.DiscardPages(); }},
        {"SetCurrentPage", [](TRpPrinter &s) { s.SetCurrentPage(2); }},
        {"SaveToFile", [&](TRpPrinter &s) { s.SaveToFile(dir.filePath("outro.RPP")); }},
        {"LoadFromFile", [&](TRpPrinter &s) { s.LoadFromFile(saved); }},
        {"LoadFromFile of a damaged file", [&](TRpPrinter &s) { s.LoadFromFile(empty); }},
    };
    for (const auto &[first, doFirst] : operations)
        for (const auto &[second, doSecond] : operations) {
            TRpPrinter store;
            store.ShowProgress = false;
            for (const auto &operation : {doFirst, doSecond}) {
                try {
                    operation(store);
                } catch (const TRpError &) {
                }
                EXPECT_TRUE(store.stateHolds()) << first << ", " << second << " in state " << store.Status();
            }
        }
}

namespace {

class FakePrinter : public TRpPrinterDevice {
public:
    bool fail = false;
    bool installed() const override { return true; }
    TRpPrinterMetrics metrics() override
    {
        if (fail)
            throw TRpError("sem resposta");
        // A4 at 600 dpi with a quarter-inch margin.
        return {4660, 6716, 600, 600, true, 150, 150, 4960, 7016};
    }
    void setOrientation(TPrinterOrientation) override {}
};

} // namespace

TEST(PageStore, MeasuresThePrinterOrFallsBack)
{
    TRpPrinter store;
    auto device = std::make_unique<FakePrinter>();
    FakePrinter *printer = device.get();
    store.setDevice(std::move(device));
    store.MeasurePage();
    EXPECT_EQ(store.PageWidth, 746);   // 4660 / 600 × 96 = 745.6
    EXPECT_EQ(store.PageHeight, 1075); // 1074.56
    EXPECT_EQ(store.PhysicalWidth, 794);
    EXPECT_EQ(store.OffsetX, 24);
    EXPECT_TRUE(store.PrinterAvailable);
    printer->fail = true;
    store.MeasurePage();
    EXPECT_EQ(store.PageHeight, 1080);
    EXPECT_EQ(store.PageWidth, 748);
    EXPECT_EQ(store.OffsetX, 20);
    EXPECT_FALSE(store.PrinterAvailable);
}

TEST(Progress, StepsOfOneTwentieth)
{
    TRpProgress p;
    p.Update(5); // no maximum: never moves
    EXPECT_EQ(p.moves(), 0);
    p.SetMax(45);
    EXPECT_EQ(p.step(), 2);
    for (int n = 1; n <= 45; ++n)
        p.Update(n);
    EXPECT_EQ(p.moves(), 22);
    EXPECT_EQ(p.position(), 45 - 1);
    TRpProgress small;
    small.SetMax(7);
    EXPECT_EQ(small.step(), 1);
}
