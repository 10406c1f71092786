/*
** x_endpck.h: the packing before x_strpck.h again.
*/
#pragma pack(pop)
