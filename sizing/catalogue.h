// The catalogue pick: which accumulator of the common bladder series, and of which pressure
// class, holds a computed volume at a method's highest pressure; or, where the user keeps a
// catalogue file of their own, which of its rows.
//
// Platform-free. Every judgement is made on a computed number as the program shows it, with two
// decimals, so that a volume shown as 32.00 picks 32 L and a pressure shown as 31.50 MPa stays
// in its class.
#pragma once

#include "base/text_encoding.h"
#include "sizing/methods.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sizing {

// The nominal volumes of the common bladder series, in litres, smallest first.
extern const double kNominalLitres[19];
// The common nominal pressures, in MPa, lowest first.
extern const double kNominalMpa[3];

// The smallest volume that the pulsation calculators pick, as their footer advises, in litres.
constexpr double kLeastPulsationLitres = 1.0;

// The kinds of accumulator a catalogue file names, and how many there are.
enum class AccumulatorType { Bladder, Diaphragm, Piston };
constexpr std::size_t kAccumulatorTypes = 3;

// The type's ASCII name: "bladder", "diaphragm", "piston".
const char* TypeKey(AccumulatorType type);

// The highest pressure over the precharge that a type takes where its row does not say: about
// 4 for a bladder, 8 for a diaphragm, no limit (infinity) for a piston.
double DefaultRatioLimit(AccumulatorType type);

// One accumulator of a catalogue file.
struct CatalogueRow {
    std::string model; // UTF-8, as the file has it
    AccumulatorType type;
    double litres;   // the nominal volume, positive
    double mpa;      // the nominal pressure, positive
    double maxRatio; // the highest pressure over the precharge it takes; infinity for no limit
};

// The columns of a catalogue file.
enum class CatalogueColumn { Model, Type, Volume, Pressure, MaxRatio };
constexpr std::size_t kCatalogueColumns = 5;

// Why a catalogue file is not used, and the built-in series picks instead.
enum class FileFault {
    None,
    TooLarge,        // above kLargestCatalogue bytes
    Unreadable,      // the system would not read it
    MissingColumn,   // the header lacks a column that every row needs
    DuplicateColumn, // the header names a column twice
    NoRows,          // no row could be read
};

// Why a row of a catalogue file is skipped.
enum class RowFault {
    Missing,     // a cell the row needs is empty
    NotANumber,  // a number that does not read, or carries a unit of another kind
    NotPositive, // a number not above zero
    UnknownType, // a type the program does not know
    Duplicate,   // a model an earlier row has
    TooLong,     // a record too long to read
};

// The largest catalogue file read, in bytes.
constexpr std::size_t kLargestCatalogue = 1 << 20;

// The first row skipped of a catalogue file: its number as a spreadsheet shows it (the header is
// row 1), why, the column and the cell (UTF-8) it is about, and for a duplicate the row that has
// the model.
struct SkippedRow {
    std::size_t number = 0;
    RowFault fault = RowFault::Missing;
    CatalogueColumn column = CatalogueColumn::Model;
    std::string cell;
    std::size_t earlier = 0;
};

// A cell of a UTF-8 catalogue file whose bytes are not UTF-8, read as GBK: its row (the header is
// row 1) and its column's position, from 1, with the column's name in the header (UTF-8; empty
// where the header has none).
struct StrayCell {
    std::size_t row = 0;
    std::size_t position = 0;
    std::string column;
};

// A catalogue file as read: its rows, or why it is not used, and the rows skipped.
struct Catalogue {
    std::string source;                                     // where it was read, UTF-8
    base::FileEncoding encoding = base::FileEncoding::Utf8; // what it was read as
    std::size_t strayCells = 0; // cells of a UTF-8 file that were read as GBK
    StrayCell firstStray;
    FileFault fault = FileFault::None;
    CatalogueColumn faultColumn = CatalogueColumn::Model; // the column of a header's fault
    std::vector<CatalogueRow> rows;                       // in the file's order
    std::size_t skipped = 0;                              // how many rows were skipped
    SkippedRow firstSkipped;
};

// Whether the picks come from catalogue rather than from the built-in series.
bool InUse(const Catalogue* catalogue);

// Which limit of the case no row of a catalogue file meets.
enum class Unmet { None, Pressure, Ratio };

struct Pick {
    double volume = 0.0;        // the volume the pick is made for, litres, as the caller gave it
    double nominalLitres = 0.0; // the nominal volume of one unit; 0 when nothing is picked
    double units = 0.0;      // how many such units in parallel: 1 up to the largest size; a whole
                             // number, held as a double since typed inputs can ask for any volume;
                             // 0 when nothing is picked
    double highestMpa = 0.0; // the method's highest pressure converted to MPa
    // The nominal pressure, from a catalogue file the row's; none when highestMpa exceeds the
    // common ones, or when nothing is picked.
    std::optional<double> classMpa;
    // From a catalogue file: the row picked; none from the built-in series, or when no row meets
    // the limit that unmet names.
    std::optional<CatalogueRow> row;
    Unmet unmet = Unmet::None;
    // By type, the largest ratio limit among the rows that hold the highest pressure but not the
    // case's ratio; 0 where no row of the type was passed over so.
    double passedOver[kAccumulatorTypes] = {};
};

// A computed number as the program shows it: fixed-point with two decimals ("31.50"), or with
// as many as asked, locale-free. Not for infinities or NaN.
std::string TwoDecimalText(double value);
std::string FixedText(double value, int decimals);
// value rounded to what FixedText shows; infinities and NaN stay as they are.
double AsShown(double value, int decimals = 2);

// A pressure typed in unit ("MPa", "bar" or "Pa"), in MPa, and back.
double ToMpa(double value, std::string_view unit);
double FromMpa(double mpa, std::string_view unit);

// The method's highest pressure in MPa (its highest-pressure input, plus the ripple in pulsation
// D: Pp + deltaP), converted from the unit of its pressures (bar in shock C, Pa in pulsation A).
// values are the inputs in binding order.
double HighestPressureMpa(const Method& method, const double* values);

// The pick for volume (litres) under method with these inputs. The nominal volume is the
// smallest size not below the volume; above the largest size, the fewest units of one size in
// parallel, and among those the smallest size. The pulsation methods pick at least
// kLeastPulsationLitres. The class is the smallest nominal pressure not below the highest
// pressure.
Pick PickFor(const Method& method, const double* values, double volume);

// The pick for volume from catalogue's rows, under method with these inputs; ratio is the case's
// highest pressure over its precharge, NaN where the method has none. The candidates are the
// rows whose nominal pressure is not below the highest pressure and whose ratio limit is not
// below ratio. Among them, the smallest volume not below the volume, ties going to the lower
// pressure, then to the earlier row; when no single row holds it, the fewest units of one row in
// parallel, and among those the smallest. The pulsation methods pick at least
// kLeastPulsationLitres. The volume, pressure and ratio are judged as shown, with two decimals.
Pick PickFrom(const Catalogue& catalogue, const Method& method, const double* values, double volume,
              double ratio);

} // namespace sizing
