/*
** x_strpck.h: structures of the static working areas are packed from here
** on; x_endpck.h restores the packing.
*/
#pragma pack(push, 1)
