// The per-user settings store: text values by section and key, under one
// application name. The program's whole state lives here.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `fallback` when the value is missing or unreadable.
  virtual std::wstring Get(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback) const = 0;
  // Whether the value is there, readable or not: a value that holds no text
  // (left by another program) is never taken for a missing one.
  virtual bool Has(std::wstring_view section, std::wstring_view key) const = 0;
  // Each returns whether the store took the change.
  virtual bool Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) = 0;
  virtual bool Delete(std::wstring_view section, std::wstring_view key) = 0;
  // Copies value `from` over value `to` whole: its kind and every byte as
  // stored. False when `from` is missing or the store refused. A store of
  // plain text only copies the text.
  virtual bool Copy(std::wstring_view section, std::wstring_view from, std::wstring_view to);
  virtual bool DeleteSection(std::wstring_view section) = 0;
  // The position in `keys` of the last one the section holds, asked from the
  // end so that a store holding a high one answers early; empty when it
  // holds none. Each asked by name: the section's other values, however
  // many, cost nothing.
  virtual std::optional<std::size_t> FindLast(std::wstring_view section, const std::vector<std::wstring>& keys) const;
  // The names of the values a section holds, as stored, in no set order;
  // empty when the section is missing. Finds what any earlier version left.
  virtual std::vector<std::wstring> Keys(std::wstring_view section) const = 0;
};

// An in-memory store for tests. Sections and keys compare without case, as
// the registry's do. It can be told to refuse writes, and it records the
// order of the writes it took.
class MemoryStore final : public SettingsStore {
 public:
  struct Write {
    std::wstring section, key, value;
    bool operator==(const Write&) const = default;
  };

  std::wstring Get(std::wstring_view section, std::wstring_view key,
                   std::wstring_view fallback) const override;
  bool Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
  bool Delete(std::wstring_view section, std::wstring_view key) override;
  bool DeleteSection(std::wstring_view section) override;
  std::vector<std::wstring> Keys(std::wstring_view section) const override;

  bool Has(std::wstring_view section, std::wstring_view key) const override;
  std::optional<std::size_t> FindLast(std::wstring_view section, const std::vector<std::wstring>& keys) const override;
  // A value that is there but holds no text; any save or delete replaces it.
  void SaveUnreadable(std::wstring_view section, std::wstring_view key);
  // Every value of one section, keyed by the lower-cased key.
  std::map<std::wstring, std::wstring> Section(std::wstring_view section) const;
  std::size_t Size() const { return values_.size(); }

  void RefuseWrites(bool refuse) { refuse_ = refuse; }
  // Takes `count` more changes (saves and deletes), then refuses every one:
  // a program cut off in the middle of an edit.
  void RefuseAfter(std::size_t count) { budget_ = count; }
  const std::vector<Write>& Writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }

 private:
  using Key = std::pair<std::wstring, std::wstring>;
  static Key MakeKey(std::wstring_view section, std::wstring_view key);

  std::map<Key, std::wstring> values_;
  std::vector<Write> writes_;
  std::map<Key, std::wstring> spelling_;  // each key as it was first saved
  std::set<Key> unreadable_;
  bool refuse_ = false;
  std::optional<std::size_t> budget_;

  bool Refused();
};

// Whether a key is as the stores compare keys: lower-cased.
bool IsLowerCase(std::wstring_view key);

// A value that is there but reads as no text: nothing may write over it,
// since what it held could not be kept.
bool IsUnreadable(const SettingsStore& store, std::wstring_view section, std::wstring_view key);

}  // namespace tolvane
