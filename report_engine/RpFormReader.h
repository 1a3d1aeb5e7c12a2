// Reading a report form from its stored definition (XML):
//
//   <form name="RelCD">
//     <property name="Font.Height">-11</property>
//     <object class="TRpReport" name="RpReport1">
//       <property name="LeftMarginInches">5</property>
//       <property name="BeforePrint">RpReport1BeforePrint</property>
//     </object>
//     <object class="TRpBand" name="RpBand1">
//       <property name="BandType">rbPageHeader</property>
//       <object class="TRpLabel" name="RpLabel1"> ... </object>
//     </object>
//   </form>
//
// Components are created in stored order, inserted into the form, then given their properties
// by name in stored order (so LeftMarginMM read after LeftMarginInches wins). An object inside a
// band is placed on that band. References to components and data sources are resolved once
// every component exists, in stored order; events are bound through the form's handlers.
#pragma once

#include "RpComponent.h"

class QIODevice;

// Throws TRpError (with the line) for malformed XML, an unknown class, property, component,
// data source or value.
void readReportForm(TRpForm &form, QIODevice &definition);
void readReportForm(TRpForm &form, const QString &fileName); // a file or a ":/" resource
