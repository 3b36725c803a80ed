#pragma once
// The record field names: the keys by which every part of the program addresses
// a value of a record. Exact and case-sensitive.

#include <string>

inline const std::string fnAddressEffectiveDate = "AddressEffectiveDate";
inline const std::string fnAddressLine1 = "AddressLine1";
inline const std::string fnAddressLine2 = "AddressLine2";
inline const std::string fnAddressCity = "AddressCity";
inline const std::string fnAddressState = "AddressState";
inline const std::string fnAddressZip = "AddressZip";
inline const std::string fnAddressZip4 = "AddressZip4";
inline const std::string fnAddressEMail = "AddressEMail";
inline const std::string fnBatchCreateDate = "BatchCreateDate";
inline const std::string fnBatchMonth = "BatchMonth";
inline const std::string fnBatchYear = "BatchYear";
inline const std::string fnBirthDate = "BirthDate";
inline const std::string fnContribEmployeePreTax = "ContribEmployeePreTax";
inline const std::string fnContribEmployerPreTax = "ContribEmployerPreTax";
inline const std::string fnContribVoluntaryPostTax = "ContribVoluntaryPostTax";
inline const std::string fnContribContractPostTax = "ContribContractPostTax";
inline const std::string fnEmployerID = "EmployerID";
inline const std::string fnFirstName = "FirstName";
inline const std::string fnGenderCD = "GenderCD";
inline const std::string fnLastName = "LastName";
inline const std::string fnMaritalStatusCD = "MaritalStatusCD";
inline const std::string fnMemberSSN = "MemberSSN";
inline const std::string fnMiddleName = "MiddleName";
inline const std::string fnNamePrefix = "NamePrefix";
inline const std::string fnNameSuffix = "NameSuffix";
inline const std::string fnPhoneAreaCode = "PhoneAreaCode";
inline const std::string fnPhoneNumber = "PhoneNumber";
inline const std::string fnExtension = "Extension";
inline const std::string fnRecordType = "RecordType";
inline const std::string fnSalaryPensionAmount = "SalaryPensionAmount";
inline const std::string fnSalaryEarnableAmount = "SalaryEarnableAmount";
inline const std::string fnSalaryEarnableUnitsWorked = "SalaryEarnableUnitsWorked";
inline const std::string fnTotalCntrctPayAmt = "TotalCntrctPayAmt";
inline const std::string fnTotalEmplContribAmt = "TotalEmplContribAmt";
inline const std::string fnTotalEmplrContribAmt = "TotalEmplrContribAmt";
inline const std::string fnTotalRecCount = "TotalRecCount";
inline const std::string fnTotalReceivables = "TotalReceivables";
inline const std::string fnTotalVolContribAmt = "TotalVolContribAmt";
inline const std::string fnBatchEmployerName = "BatchEmployerName";
inline const std::string fnFileName = "FileName";
inline const std::string fnVersion = "Version";
