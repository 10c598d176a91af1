#pragma once

#include <QString>

// Formats numbers with the picture patterns the chart properties use:
// '0' is a digit that always shows, '#' a digit that shows when significant,
// ',' anywhere in the integer part groups thousands, '.' is the decimal point,
// other characters before or after the digits are copied. "#,##0.###" writes
// 1234.5 as "1,234.5"; "0.00" writes 0.5 as "0.50".
//
// atLeastDecimals raises the number of optional decimals, so that axis labels
// with a fine step do not collapse into equal texts.
QString formatChartNumber(double value, const QString& pattern, int atLeastDecimals = 0);
