/* The block that Vantrel.dll shares with every process it is loaded into:
   five 32-bit little-endian words behind one named file mapping. */
#ifndef VANTREL_SHAREDBLOCK_H
#define VANTREL_SHAREDBLOCK_H

#define VANTREL_MAPPING_NAME "Brondel Vantrel Mapping"

typedef struct SharedBlock {
  unsigned int BlockSize;    /* 20 once the block is created */
  unsigned int KeyboardTime; /* tick count of the last keyboard hook call */
  unsigned int MouseTime;    /* tick count of the last mouse hook call */
  unsigned int FocusWindow;  /* focus window of the thread of the last hook call */
  unsigned int Reserved;     /* never written */
} SharedBlock;

#define VANTREL_BLOCK_SIZE 20u

#endif
