#pragma once
// The InOut routines that move vectors and matrices as text: vectors in
// brace notation ({1,0.5,-2}), vectors as one value per line, matrices as
// rows of values separated by TAB. Reals are written by ExactRealText, so
// they read back exactly. The CSV routines let window messages through as
// they go and end at once when the run is aborted, and the CSV importers
// show their progress in the workspace window's status text.

#include "libraries/IORoutine.h"

class TArrVar;

// Writes its second argument, a vector or a matrix.
class TArrayWriterIO : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) final;
  virtual bool Write(IInOut& source, const TArrVar& values, TSourcePos pos) = 0;
};

// Reads into its second argument, a vector or a matrix, which is emptied
// first and takes the values only when all could be read.
class TArrayReaderIO : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) final;
  virtual bool Read(IInOut& source, TArrVar& target, TSourcePos pos) = 0;
};

// "{", the elements separated by ",", "}"; no blanks, no line end.
class TWriteVecIO final : public TArrayWriterIO {
public:
  using TArrayWriterIO::TArrayWriterIO;

protected:
  bool Write(IInOut& source, const TArrVar& values, TSourcePos pos) override;
};

// The elements separated by LF, no line end after the last; an empty
// vector writes nothing and fails.
class TWriteVCSVIO final : public TArrayWriterIO {
public:
  using TArrayWriterIO::TArrayWriterIO;

protected:
  bool Write(IInOut& source, const TArrVar& values, TSourcePos pos) override;
};

// One brace group; the bytes after its "}" are left for the next read.
// Every element must convert, so "{}" fails.
class TReadVecIO final : public TArrayReaderIO {
public:
  using TArrayReaderIO::TArrayReaderIO;

protected:
  bool Read(IInOut& source, TArrVar& target, TSourcePos pos) override;
};

// Values up to the end of the data, each ended by TAB, LF, blank, "," or
// ";" (CR is ignored); every token, the last one included, must convert,
// so two separators in a row fail.
class TReadVCSVIO final : public TArrayReaderIO {
public:
  using TArrayReaderIO::TArrayReaderIO;

protected:
  bool Read(IInOut& source, TArrVar& target, TSourcePos pos) override;
};

// Rows separated by LF, values by TAB; an empty matrix writes nothing and
// fails, and one whose rows differ in length is refused before anything is
// written.
class TWriteMCSVIO final : public TArrayWriterIO {
public:
  using TArrayWriterIO::TArrayWriterIO;

protected:
  bool Write(IInOut& source, const TArrVar& values, TSourcePos pos) override;
};

// Values separated by TAB, blank, "," or ";", rows by CR or LF. Separators
// and line ends in a row count as one, a separator at the end of a line
// joins the next line to the row, and the end of the data ends the row.
// Every row must have the length of the first.
class TReadMCSVIO final : public TArrayReaderIO {
public:
  using TArrayReaderIO::TArrayReaderIO;

protected:
  bool Read(IInOut& source, TArrVar& target, TSourcePos pos) override;
};
