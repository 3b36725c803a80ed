#pragma once
// The amount bounds worked out from their definitions, for the tests that take
// the member checks to every bound: the regular and health contributions within
// 1.00 of 7% and 1.25% of the pensionable pay P, FTE% within 2.00 points of
// 100 x P / E, each fraction rounded inwards to whole cents (hundredths of a
// point for FTE%). The checks themselves must agree to the cent.

#include <string>

#include "PPropertyNames.h"
#include "PRecords.h"
#include "ValidationLimits.h"

// The pays the tests go through, every cent of them: 100.00 to 2,000.00.
constexpr TCents FirstPay = 10000;
constexpr TCents LastPay = 200000;

// Floor and ceiling of N / D for D > 0, any sign of N.
inline TCents FloorDiv(TCents N, TCents D) { return N / D - (N % D != 0 && N < 0 ? 1 : 0); }
inline TCents CeilDiv(TCents N, TCents D) { return N / D + (N % D != 0 && N > 0 ? 1 : 0); }

// The lowest and highest value that pass.
struct TBounds {
  TCents Low, High;
};

// Contributions within 100 cents of Numerator / Denominator x P.
inline TBounds ContributionBounds(TCents P, TCents Numerator, TCents Denominator) {
  return {CeilDiv(Numerator * P - 100 * Denominator, Denominator),
          FloorDiv(Numerator * P + 100 * Denominator, Denominator)};
}
inline TBounds RegularBounds(TCents P) { return ContributionBounds(P, 7, 100); }
inline TBounds HealthBounds(TCents P) { return ContributionBounds(P, 1, 80); }

// FTE% in hundredths within 200 of 10000 x P / E.
inline TBounds FTEBounds(TCents P, TCents E) {
  return {CeilDiv(10000 * P - 200 * E, E), FloorDiv(10000 * P + 200 * E, E)};
}

// An earnable pay for which 100 x P / E is no whole number of hundredths for most P.
inline TCents EarnableFor(TCents P) { return P * 3 / 2 + 7; }

// The amount, not below 0, as the clerk types it: "1234.05".
inline std::string CentsText(TCents Cents) {
  std::string Fraction = std::to_string(Cents % 100);
  if (Fraction.size() < 2) Fraction.insert(0, 1, '0');
  return std::to_string(Cents / 100) + "." + Fraction;
}

inline void SetCents(TRecord* Record, const std::string& Name, TCents Cents) {
  Record->SetAsFloat(Name, static_cast<double>(Cents) / 100);
}

// Pays and contributions that pass every amount check: P, E, their FTE%, 7% and
// 1.25% of P rounded to the cent, no voluntary or contract payments.
inline void SetPassingPays(TRecord* Record, TCents P, TCents E) {
  SetCents(Record, fnSalaryPensionAmount, P);
  SetCents(Record, fnSalaryEarnableAmount, E);
  SetCents(Record, fnSalaryEarnableUnitsWorked, (10000 * P + E / 2) / E);
  SetCents(Record, fnContribEmployeePreTax, (7 * P + 50) / 100);
  SetCents(Record, fnContribEmployerPreTax, (P + 40) / 80);
  SetCents(Record, fnContribVoluntaryPostTax, 0);
  SetCents(Record, fnContribContractPostTax, 0);
}
