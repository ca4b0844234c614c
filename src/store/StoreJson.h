#pragma once

// The store as a JSON document, to back it up, move it between SQLite and
// PostgreSQL and review it. The format is "orgrights-store", version 1:
//   { "format": "orgrights-store", "formatVersion": 1, "schemaVersion": N,
//     "withSecrets": false,
//     "tables": { "<table>": [ { "id": 1, "version": 1, "changedAt": "...",
//                                "<column>": value, ... }, ... ], ... } }
// Texts are strings, numbers and flags numbers, pictures base64 strings, and
// an unset value null. Password hashes are there only with secrets.

#include <cstdint>
#include <functional>

#include <QtCore/QByteArray>

class RightsStore;

constexpr int StoreJsonFormatVersion = 1;

// Long work reports (records done, records); answering false cancels it,
// which throws StoreError and leaves the store (and any file) as it was.
using StoreJsonProgress = std::function<bool(int64_t done, int64_t total)>;

// Keys sorted and records in id order, so that equal stores give equal bytes.
QByteArray ExportStoreJson(RightsStore& store, bool withSecrets, const StoreJsonProgress& progress = {});
// Reads and checks the whole document, then replaces the store's content with
// it in one transaction; throws StoreError with what is wrong and changes
// nothing.
void ImportStoreJson(RightsStore& store, const QByteArray& json, const StoreJsonProgress& progress = {});
