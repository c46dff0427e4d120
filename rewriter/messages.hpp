// Every text that trimmel prints, in one place.
// Japanese texts are CP932 byte strings; the comment above each shows it decoded.
#pragma once

namespace trimmel::msg {

inline constexpr const char* kUsage = "trimmel32 table target_file backup_file\n";
inline constexpr const char* kFileNotFound = "File not found [ %s ]\n";
inline constexpr const char* kFileOpenError = "File open error [%s]\n";
inline constexpr const char* kFileRenameError = "File rename error [%s]\n";
inline constexpr const char* kBackupIsInput = "Backup file names the target or the table [%s]\n";
inline constexpr const char* kFileReadError = "File read error [%s]\n";
inline constexpr const char* kFileWriteError = "File write error [%s]\n";

// [%d] o 指定のデータがありません\n
inline constexpr const char* kNoOLine = "[%d] o \x8Ew\x92\xE8\x82\xCC\x83" "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n";
// [%d] 途中でデータが終わりました\n
inline constexpr const char* kEndedInsideRule = "[%d] \x93r\x92\x86\x82\xC5\x83" "f\x81[\x83^\x82\xAA\x8FI\x82\xED\x82\xE8\x82\xDC\x82\xB5\x82\xBD\n";
// [%d] #NUM は o: 行に１個しか使用出来ません\n
inline constexpr const char* kTwoNumInPattern = "[%d] #NUM \x82\xCD o: \x8Ds\x82\xC9\x82P\x8C\xC2\x82\xB5\x82\xA9\x8Eg\x97p\x8Fo\x97\x88\x82\xDC\x82\xB9\x82\xF1\n";
// [%d] #NUM が２行継続しています\n
inline constexpr const char* kTwoBindingLines = "[%d] #NUM \x82\xAA\x82Q\x8Ds\x8Cp\x91\xB1\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\n";
// [%d] #NUM 指定のデータに間違いがあります\n
inline constexpr const char* kBadBindingLine = "[%d] #NUM \x8Ew\x92\xE8\x82\xCC\x83" "f\x81[\x83^\x82\xC9\x8A\xD4\x88\xE1\x82\xA2\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\n";
// [%d] 異常なデータが入っています\n
inline constexpr const char* kAbnormalLine = "[%d] \x88\xD9\x8F\xED\x82\xC8\x83" "f\x81[\x83^\x82\xAA\x93\xFC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\n";
// データフォーマットに異常があります\n
inline constexpr const char* kBadFormat = "\x83" "f\x81[\x83^\x83t\x83H\x81[\x83}\x83" "b\x83g\x82\xC9\x88\xD9\x8F\xED\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\n";
// 比較データが短すぎます\n
inline constexpr const char* kPatternTooShort = "\x94\xE4\x8Ar\x83" "f\x81[\x83^\x82\xAA\x92Z\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n";
// 比較データが長すぎます\n
inline constexpr const char* kPatternTooLong = "\x94\xE4\x8Ar\x83" "f\x81[\x83^\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n";
// 比較データが見つかりません\n
inline constexpr const char* kNoUsablePattern = "\x94\xE4\x8Ar\x83" "f\x81[\x83^\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n";
// データテーブルオーバーフロー
inline constexpr const char* kDataAreaOverflow = "\x83" "f\x81[\x83^\x83" "e\x81[\x83u\x83\x8B\x83I\x81[\x83o\x81[\x83t\x83\x8D\x81[";
// キーテーブルオーバーフロー
inline constexpr const char* kKeyTableOverflow = "\x83L\x81[\x83" "e\x81[\x83u\x83\x8B\x83I\x81[\x83o\x81[\x83t\x83\x8D\x81[";
// mallocエラー
inline constexpr const char* kNoMemory = "malloc\x83G\x83\x89\x81[";
// [%d] 行が長すぎます\n
inline constexpr const char* kLineTooLong = "[%d] \x8Ds\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n";
// [%d] 比較キーが長すぎます\n
inline constexpr const char* kKeyTooLong = "[%d] \x94\xE4\x8Ar\x83L\x81[\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n";
// [%d] 置換データが長すぎます\n
inline constexpr const char* kReplacementTooLong = "[%d] \x92u\x8A\xB7\x83" "f\x81[\x83^\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n";
// [%d] 同じ比較データが２重に登録されています\n
inline constexpr const char* kDuplicateKey = "[%d] \x93\xAF\x82\xB6\x94\xE4\x8Ar\x83" "f\x81[\x83^\x82\xAA\x82Q\x8F" "d\x82\xC9\x93o\x98^\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\n";

}  // namespace trimmel::msg
