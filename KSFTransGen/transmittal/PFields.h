#pragma once
// Field descriptors: one column range of a fixed-width record line and how its
// characters convert to and from typed values. A descriptor holds no value; every
// operation works in place on the characters of one record (the buffer, column 1
// at index 0, no terminator). No operation raises for bad data: parse failures
// give an empty text, 0, the no-date value or a blank field.

#include <cstdint>
#include <string>

#include "Calendar.h"

// 1800-01-01: a blank or unreadable stored date.
constexpr TDateTime NoDateValue = -36522;

// A value of the variant operations.
struct TVariant {
  enum class TKind { String, Date, Float };
  TKind Kind = TKind::String;
  std::string Str;
  double Num = 0;
};

class TField {
 public:
  int32_t Start;   // 1-based first column
  int32_t Length;  // width in characters
  std::string Name;

  TField(const std::string& Name, int32_t Start, int32_t Length);
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;
  virtual ~TField() = default;

  virtual std::string GetAsString(const char* Buffer) const = 0;
  virtual TDateTime GetAsDateTime(const char* Buffer) const = 0;
  virtual int32_t GetAsInteger(const char* Buffer) const = 0;
  virtual double GetAsFloat(const char* Buffer) const = 0;
  virtual void SetAsString(char* Buffer, const std::string& Text) const = 0;
  virtual void SetAsDateTime(char* Buffer, TDateTime Value) const = 0;
  virtual void SetAsInteger(char* Buffer, int32_t Value) const = 0;
  // Number fields raise Exception (naming the field and the value) when the scaled
  // value is outside the signed 32-bit range or its text is wider than the field;
  // the buffer is then unchanged. A number field's SetAsString (and every other
  // setter of a number field) goes through SetAsFloat and raises the same way.
  virtual void SetAsFloat(char* Buffer, double Value) const = 0;
  virtual TVariant GetAsVariant(const char* Buffer) const = 0;
  virtual void SetAsVariant(char* Buffer, const TVariant& Value) const = 0;
  virtual bool IsBlank(const char* Buffer) const = 0;
  // -1, 0 or 1.
  virtual int Compare(const char* Buffer1, const char* Buffer2) const = 0;
  virtual void Clear(char* Buffer) const = 0;

  // Clears the field, then writes the decimal text left-justified, never beyond the field.
  void WriteIntegerText(char* Buffer, int32_t Value) const;
  bool IsAlphaText(const char* Buffer) const;
  bool IsAlphaNumText(const char* Buffer) const;
  bool IsInteger(const char* Buffer) const;
  bool IsValidDate(const char* Buffer) const;

 protected:
  // The field's raw columns.
  std::string Raw(const char* Buffer) const;
  // The field's columns trimmed of codes up to 32 at both ends.
  std::string Trimmed(const char* Buffer) const;
};

class TStringField : public TField {
 public:
  using TField::TField;
  std::string GetAsString(const char* Buffer) const override;
  TDateTime GetAsDateTime(const char* Buffer) const override;
  int32_t GetAsInteger(const char* Buffer) const override;
  double GetAsFloat(const char* Buffer) const override;
  void SetAsString(char* Buffer, const std::string& Text) const override;
  void SetAsDateTime(char* Buffer, TDateTime Value) const override;
  void SetAsInteger(char* Buffer, int32_t Value) const override;
  void SetAsFloat(char* Buffer, double Value) const override;
  TVariant GetAsVariant(const char* Buffer) const override;
  void SetAsVariant(char* Buffer, const TVariant& Value) const override;
  bool IsBlank(const char* Buffer) const override;
  int Compare(const char* Buffer1, const char* Buffer2) const override;
  void Clear(char* Buffer) const override;
};

// A date stored as MMDDYYYY in 8 columns.
class TStdDateField : public TField {
 public:
  using TField::TField;
  std::string GetAsString(const char* Buffer) const override;
  TDateTime GetAsDateTime(const char* Buffer) const override;
  int32_t GetAsInteger(const char* Buffer) const override;
  double GetAsFloat(const char* Buffer) const override;
  void SetAsString(char* Buffer, const std::string& Text) const override;
  void SetAsDateTime(char* Buffer, TDateTime Value) const override;
  void SetAsInteger(char* Buffer, int32_t Value) const override;
  void SetAsFloat(char* Buffer, double Value) const override;
  TVariant GetAsVariant(const char* Buffer) const override;
  void SetAsVariant(char* Buffer, const TVariant& Value) const override;
  bool IsBlank(const char* Buffer) const override;
  int Compare(const char* Buffer1, const char* Buffer2) const override;
  void Clear(char* Buffer) const override;
};

// A number stored as the decimal text of round(value x Scale).
class TDoubleField : public TField {
 public:
  int32_t Scale;

  TDoubleField(const std::string& Name, int32_t Scale, int32_t Start, int32_t Length);
  std::string GetAsString(const char* Buffer) const override;
  TDateTime GetAsDateTime(const char* Buffer) const override;
  int32_t GetAsInteger(const char* Buffer) const override;
  double GetAsFloat(const char* Buffer) const override;
  void SetAsString(char* Buffer, const std::string& Text) const override;
  void SetAsDateTime(char* Buffer, TDateTime Value) const override;
  void SetAsInteger(char* Buffer, int32_t Value) const override;
  void SetAsFloat(char* Buffer, double Value) const override;
  TVariant GetAsVariant(const char* Buffer) const override;
  void SetAsVariant(char* Buffer, const TVariant& Value) const override;
  bool IsBlank(const char* Buffer) const override;
  int Compare(const char* Buffer1, const char* Buffer2) const override;
  void Clear(char* Buffer) const override;
  // Raises EDoesNotFit, as SetAsFloat does for a value it cannot store, when the
  // field holds a whole number (decimal, or hexadecimal as the integer parse
  // reads it) beyond its stored range: GetAsFloat reads such a number as 0, so
  // the member would be summed as 0 and saved with 0 over it. Blank or any other
  // text (a decimal point, letters) passes and reads as it always has.
  void CheckStorable(const char* Buffer) const;

 private:
  [[noreturn]] void RaiseDoesNotFit(double Value) const;
};

// MMDDYYYY: month and day with a leading zero, the year right-aligned in four columns.
std::string MakeDateDigits(uint16_t Year, uint16_t Month, uint16_t Day);
// True when the date lies within DateWindowDays of today (ValidationLimits.h), both
// ends allowed.
bool IsDateInRange(TDateTime Date);
