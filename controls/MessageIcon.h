#pragma once

// The icon of a message box: the one kind of every box the program shows.
enum class MessageIcon { Information, Exclamation };
