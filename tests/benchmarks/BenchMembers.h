#pragma once
// The members of the generated large employers the benchmarks run over: valid
// members whose last names and amounts vary with their number, so that sorting,
// searching and drawing have real work to do.

#include <cstdio>
#include <string>

#include "PPropertyNames.h"
#include "PTransShort.h"
#include "TransFixtures.h"
#include "Utils.h"

// Member I's SSN: 100000000 + First + 7 x I, nine digits.
inline std::string BenchSSN(int I, int First = 0) {
  char SSN[16];
  std::snprintf(SSN, sizeof SSN, "%09d", 100000000 + First + I * 7);
  return SSN;
}

// Adds member I under SSN to T: a last name made from I, a pensionable and
// earnable compensation of 1000 + I mod 500, and the regular and health
// contributions that go with it.
inline TRecord* AddBenchMember(TTransShort& T, const std::string& SSN, int I) {
  std::string Last = "Name";
  for (int V = I; V > 0; V /= 26) Last += static_cast<char>('a' + (V * 7919) % 26);
  TRecord* R = AddMember(T, SSN, Last);
  const double P = 1000 + I % 500;
  R->SetAsFloat(fnSalaryPensionAmount, P);
  R->SetAsFloat(fnSalaryEarnableAmount, P);
  R->SetAsFloat(fnContribEmployeePreTax, RoundToFactor(P * 0.07, 100));
  R->SetAsFloat(fnContribEmployerPreTax, RoundToFactor(P * 0.0125, 100));
  return R;
}
