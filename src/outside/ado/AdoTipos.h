#pragma once
// ADO constants the program uses.
#include <cstdint>

namespace ado {

enum ObjectStateEnum : int { adStateClosed = 0, adStateOpen = 1 };
enum CursorLocationEnum : int { adUseServer = 2, adUseClient = 3 };
enum CursorTypeEnum : int {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockTypeEnum : int {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum EditModeEnum : int { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };
enum SchemaEnum : int { adSchemaColumns = 4, adSchemaTables = 20 };

enum DataTypeEnum : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
};

// Error numbers the calling code tests.
inline constexpr int32_t kErrOperacionNoPermitida = 3219;  // not allowed in this state
inline constexpr int32_t kErrElementoNoEncontrado = 3265;  // item not found in the collection
inline constexpr int32_t kErrBofEof = 3021;                // no current record
inline constexpr int32_t kErrValorNoAdmitido = 3421;       // the column cannot take the value
inline constexpr int32_t kErrObjetoCerrado = 3704;         // the object is closed
inline constexpr int32_t kErrObjetoAbierto = 3705;         // the object is open
inline constexpr int32_t kErrConexionInvalida = 3709;      // invalid or closed connection
inline constexpr int32_t kErrNoEspecificado = int32_t(0x80004005);
inline constexpr int32_t kErrSintaxis = int32_t(0x80040E14);
inline constexpr int32_t kErrTablaInexistente = int32_t(0x80040E37);
inline constexpr int32_t kErrIntegridad = int32_t(0x80040E2F);
inline constexpr int32_t kErrTiempoAgotado = int32_t(0x80040E31);  // the command time-out ran out
// The session a transaction began on was lost: the server undid the transaction.
inline constexpr int32_t kErrTransaccionPerdida = int32_t(0x8004D00E);
// A transaction is already open on the connection.
inline constexpr int32_t kErrTransaccionAbierta = int32_t(0x8004D013);
// Native errors of the company server.
inline constexpr int32_t kNativoConexionPerdida = 11;
inline constexpr int32_t kNativoTruncado = 8152;
inline constexpr int32_t kNativoClaveDuplicada = 2627;
// The row is referred to by other rows (a reference constraint refused the statement).
inline constexpr int32_t kNativoReferencia = 547;

}  // namespace ado
