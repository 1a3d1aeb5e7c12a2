// The song report's holder R_musicaform: every song by artist with its CD title. It reads the
// song table through a cursor of its own, Table1 (a shared cursor on the file the data module
// holds exclusively), so running the report never moves the data module's Musica.
#pragma once

#include "ReportForm.h"

namespace tables { class Table; }
namespace dataaware { class DataSource; }

class TR_musicaform : public TReportForm {
    Q_OBJECT
public:
    explicit TR_musicaform(QObject *parent = nullptr);
    ~TR_musicaform() override;

    tables::Table *Table1;
    dataaware::DataSource *DataSource1;

protected:
    void FormCreate();
    void RpReport1BeforePrint(TRpReport *sender, bool &printReport) override;
};

extern TR_musicaform *R_musicaform;
