#pragma once
// A save whose transaction was lost with its connection, judged once the server has undone it.

namespace indices {

// True when the company connection was gone and a reconnection failed too, as when the company
// file no longer is where it was opened (moved, renamed, removed): the lost-connection question,
// the one word the user gets, has then been asked until the file was back (No ends the program),
// and the caller repeats its whole save on it. A link that reconnects at once gives false, and
// the caller reports the lost save as before.
bool ArchivoPerdido();

}  // namespace indices
