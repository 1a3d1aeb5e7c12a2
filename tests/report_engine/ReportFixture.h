// Test helper: a report form built in code, generated through Preview with the page store's
// preview hook keeping a copy of every recorded page, decoded for assertions.
#pragma once

#include "MemoryDataSet.h"
#include "PageRecords.h"
#include "RpControls.h"
#include "RpGroup.h"
#include "RpPrinter.h"
#include "RpReport.h"

#include <gtest/gtest.h>

class ReportFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        report = form.create<TRpReport>();
        report->Name = "RpReport1";
        report->ShowProgress = false;
        RpPrinter().Cancelled = false;
        RpPrinter().OnPreview = [this] {
            for (const QByteArray &page : RpPrinter().Pages())
                pages.append(pagerecords::decode(page));
            previews++;
        };
    }
    void TearDown() override { RpPrinter().OnPreview = nullptr; }

    TRpBand *band(TRpBandType type, int height, const QString &name = QString())
    {
        auto *b = form.create<TRpBand>();
        b->BandType = type;
        b->Height = height;
        b->Name = name;
        return b;
    }
    TRpLabel *label(TRpBand *b, const QString &caption, int left = 0, int top = 0)
    {
        auto *l = form.create<TRpLabel>();
        l->setCaption(caption);
        l->Left = left;
        l->Top = top;
        l->setParentBand(b);
        return l;
    }
    TRpDBText *field(TRpBand *b, TRpDataSet *ds, const QString &fieldName, int left = 0, int top = 0,
                     int width = 100, int height = 14)
    {
        auto *t = form.create<TRpDBText>();
        t->setDataSource(ds);
        t->setDataField(fieldName);
        t->Left = left;
        t->Top = top;
        t->Width = width;
        t->Height = height;
        t->setParentBand(b);
        return t;
    }
    // Every generation also places its bands in the page order of a report run.
    void preview()
    {
        pages.clear();
        report->Preview(RpPrinter());
        if (const TRpReportRun *run = report->run()) {
            EXPECT_TRUE(run->bandsInOrder());
        }
    }
    // The y of every text equal to s, page by page ("p1:65").
    QStringList where(const QString &s) const
    {
        QStringList out;
        for (int p = 0; p < pages.size(); ++p)
            for (const auto &t : pages[p].texts)
                if (t.text == s)
                    out << QStringLiteral("p%1:%2").arg(p + 1).arg(t.y);
        return out;
    }
    QStringList texts(int page) const { return pages.at(page).strings(); }

    // Records one page in a page store of its own with whatever draw does, and decodes it.
    static pagerecords::Page recordPage(const std::function<void(TRpPrinter &)> &draw)
    {
        TRpPrinter store;
        store.BeginDoc();
        draw(store);
        store.EndDoc();
        return pagerecords::decode(store.Pages().at(0));
    }

    TRpForm form;
    TRpReport *report = nullptr;
    QVector<pagerecords::Page> pages;
    int previews = 0;
};
