#pragma once
// The header's columns. A tree without columns shows its nodes across the
// whole client width; the column layout arrives with the header's own work.

class TDTHeader;

class TDataTreeColumns {
public:
  explicit TDataTreeColumns(TDTHeader& header) : header_(header) {}

  TDTHeader& Header() const { return header_; }
  int Count() const { return 0; }

private:
  TDTHeader& header_;
};
