#pragma once
// Shared routines of the whole program: the owning list, the error list, the
// program folder, the screen resolution and small formatting helpers. The errors
// themselves (Exception, EInOutError, EAbort) are in Errors.h, included here.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Env.h"
#include "Errors.h"

// An ordered list that owns its items: destroying the list destroys every item,
// first to last. Removing items (Delete, Clear, Extract) never destroys them;
// ClearFreeList does.
template <class T>
class TFreeList {
 public:
  TFreeList() = default;
  TFreeList(const TFreeList&) = delete;
  TFreeList& operator=(const TFreeList&) = delete;
  ~TFreeList() {
    for (T* Item : FItems) delete Item;
  }

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  T* operator[](int32_t Index) const { return FItems[static_cast<size_t>(Index)]; }
  T* Items(int32_t Index) const { return FItems.at(static_cast<size_t>(Index)); }
  // Takes ownership. Returns the new item's index.
  int32_t Add(T* Item) {
    FItems.push_back(Item);
    return Count() - 1;
  }
  int32_t Add(std::unique_ptr<T> Item) {
    // Release only once the list holds the item, so a failed insert cannot leak it.
    FItems.push_back(Item.get());
    Item.release();
    return Count() - 1;
  }
  // Takes ownership; Index may equal Count().
  void Insert(int32_t Index, T* Item) { FItems.insert(FItems.begin() + Index, Item); }
  void Insert(int32_t Index, std::unique_ptr<T> Item) {
    Insert(Index, Item.get());
    Item.release();
  }
  // Removes the item at Index without destroying it (the caller becomes its owner).
  T* Extract(int32_t Index) {
    T* Item = FItems.at(static_cast<size_t>(Index));
    FItems.erase(FItems.begin() + Index);
    return Item;
  }
  // Removes the item without destroying it, as the toolkit's list Delete does.
  void Delete(int32_t Index) { Extract(Index); }
  // The first index of Item, or -1.
  int32_t IndexOf(const T* Item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i] == Item) return static_cast<int32_t>(i);
    return -1;
  }
  // Empties the list without destroying the items.
  void Clear() { FItems.clear(); }
  void Exchange(int32_t A, int32_t B) { std::swap(FItems.at(A), FItems.at(B)); }

  // Raw access for sorting and iteration.
  std::vector<T*>& List() { return FItems; }
  const std::vector<T*>& List() const { return FItems; }
  typename std::vector<T*>::const_iterator begin() const { return FItems.begin(); }
  typename std::vector<T*>::const_iterator end() const { return FItems.end(); }

 private:
  std::vector<T*> FItems;
};

// Destroys every item (index 0 upwards) and empties the list. Null is accepted.
template <class T>
void ClearFreeList(TFreeList<T>* List) {
  if (List == nullptr) return;
  for (T* Item : List->List()) delete Item;
  List->Clear();
}

// The ordered list of error and validation messages.
class TError {
 public:
  std::vector<std::string> Messages;

  void Clear();
  void Add(const std::string& Message);
  bool IsEmpty() const;
  // Shows the messages in the message window (Env().ShowMessages), modally; keeps them.
  void Show();
};

// The program's one error list; created by UtilsInitialization.
extern TError* ErrorList;
// The program's folder with a trailing "/"; the data folder is AppDir + "Data/".
extern std::string AppDir;
// The screen's logical pixels per inch; 0 until the first window measures it.
extern int32_t ScreenDPI;
// The date formats fixed at start-up.
extern std::string ShortDateFormat;
extern std::string LongDateFormat;

int32_t Min(int32_t A, int32_t B);
// True when A and B differ by less than AmountTolerance (ValidationLimits.h).
bool FloatEquals(long double A, long double B);
// True when A and B differ by more than AmountTolerance.
bool FloatDiffers(long double A, long double B);
// Value rounded to a multiple of 1/Factor (halves to even) when 10 <= Factor <= 1e8;
// otherwise Value unchanged.
double RoundToFactor(double Value, long double Factor);
bool ContainsNoDigit(const std::string& Text);
// "January".."December"; empty for any other number.
std::string MonthName(int Month);
// The text as an amount with two decimals; text that is no number: a beep and the trimmed text.
std::string FormatAmount(const std::string& Text);
// True when the text is a whole number within DateWindowYears (ValidationLimits.h) of
// the current year, both ends allowed.
bool IsValidYear(const std::string& Text);
// NNN-NN-NNNN for a nine-character text, otherwise the text unchanged.
std::string FormatSSN(const std::string& Text);

// Leading and trailing characters of codes up to 32 removed.
std::string Trim(const std::string& Text);
// Only the letters a..z upper-cased.
std::string UpperCase(const std::string& Text);

// An amount as money in the regional currency format (the "%m" of messages).
std::string FormatMoney(long double Value);
// Fixed point with Decimals decimals and the regional decimal separator, right-aligned
// in at least Width characters (the "%W.Df" of messages and fields).
std::string FormatFixed(long double Value, int Decimals = 2, int Width = 0);

// The unit's start-up and shut-down steps.
void UtilsInitialization();
void UtilsFinalization();
