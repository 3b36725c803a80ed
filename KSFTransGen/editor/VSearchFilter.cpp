// The search's field and comparison lists and the filter they drive.

#include "PPropertyNames.h"
#include "PRecords.h"
#include "TextParse.h"
#include "Utils.h"
#include "VSearch.h"

const std::array<TSearchField, 11> SearchFields = {{
    {"SSN", &fnMemberSSN, TSearchKind::Text},
    {"Last Name", &fnLastName, TSearchKind::Text},
    {"First Name", &fnFirstName, TSearchKind::Text},
    {"BirthDate", &fnBirthDate, TSearchKind::Date},
    {"Pensionable Amount", &fnSalaryPensionAmount, TSearchKind::Number},
    {"Earnable Amount", &fnSalaryEarnableAmount, TSearchKind::Number},
    {"FTE%", &fnSalaryEarnableUnitsWorked, TSearchKind::Number},
    {"Regular Amount", &fnContribEmployeePreTax, TSearchKind::Number},
    {"Healt Amount", &fnContribEmployerPreTax, TSearchKind::Number},
    {"Voluntary Amount", &fnContribVoluntaryPostTax, TSearchKind::Number},
    {"Contracts Amount", &fnContribContractPostTax, TSearchKind::Number},
}};

const std::array<const char*, 6> SearchOps = {
    "Equal To",  "Not Equal To", "Greater Than", "Greater or Equal Than",
    "Less Than", "Less or Equal Than",
};

namespace {

// The order comparisons; equality is the caller's, since numbers have a tolerance.
template <class T>
bool Ordered(const T& R, uint16_t Op, const T& V) {
  switch (Op) {
    case soGreater:
      return R > V;
    case soGreaterOrEqual:
      return R >= V;
    case soLess:
      return R < V;
    case soLessOrEqual:
      return R <= V;
    default:
      return false;
  }
}

template <class T>
bool Exact(const T& R, uint16_t Op, const T& V) {
  if (Op == soEqual) return R == V;
  if (Op == soNotEqual) return R != V;
  return Ordered(R, Op, V);
}

}  // namespace

TSearchOutcome FilterMembers(const TFreeList<TRecord>& Details, uint16_t Field, uint16_t Op,
                             const std::string& Value) {
  const TSearchField& F = SearchFields.at(Field);
  // The value is converted before any flag changes: a value that does not
  // convert leaves the filter as it was.
  TDateTime Date = 0;
  double Amount = 0;
  if (F.Kind == TSearchKind::Date && !TryStrToDate(Value, Date)) return TSearchOutcome::InvalidDate;
  // Read into the precision the amounts are read in, so that an amount typed as
  // it is shown ("1000.01") is equal to, not just near, the stored one.
  if (F.Kind == TSearchKind::Number && !TryStrToFloat(Value, Amount))
    return TSearchOutcome::InvalidAmount;
  const std::string Text = UpperCase(Value);
  for (TRecord* R : Details) {
    R->Visible = false;
    switch (F.Kind) {
      case TSearchKind::Text:
        R->Visible = Exact(UpperCase(Trim(R->GetAsString(*F.FieldName))), Op, Text);
        break;
      case TSearchKind::Date:
        R->Visible = Exact(R->GetAsDateTime(*F.FieldName), Op, Date);
        break;
      case TSearchKind::Number: {
        const double Stored = R->GetAsFloat(*F.FieldName);
        if (Op == soEqual)
          R->Visible = FloatEquals(Amount, Stored);
        else if (Op == soNotEqual)
          R->Visible = FloatDiffers(Amount, Stored);
        else
          R->Visible = Ordered(Stored, Op, Amount);
        break;
      }
    }
  }
  return TSearchOutcome::Filtered;
}
