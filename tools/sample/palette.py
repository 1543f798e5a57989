"""The sheet's colours. Index 0 is the key colour; no other entry may equal it."""

KEY_RGB = (255, 0, 255)

_COLOURS = [
    ("KEY", KEY_RGB),
    # creature
    ("OUTLINE", (62, 38, 58)),
    ("BODY", (255, 176, 98)),
    ("BODY_LIGHT", (255, 210, 146)),
    ("BODY_SHADE", (236, 138, 78)),
    ("BODY_DEEP", (206, 108, 70)),
    ("BELLY", (255, 234, 196)),
    ("CHEEK", (255, 128, 140)),
    ("EYE", (44, 30, 52)),
    ("WHITE", (255, 255, 255)),
    ("EYE_WHITE", (246, 244, 250)),
    ("MOUTH", (176, 52, 72)),
    ("TONGUE", (255, 132, 140)),
    ("LEAF", (104, 188, 86)),
    ("LEAF_LIGHT", (164, 222, 118)),
    ("LEAF_DARK", (62, 134, 70)),
    ("LEAF_WILT", (170, 164, 88)),
    ("TEAR", (140, 206, 255)),
    ("TEAR_LIGHT", (214, 240, 255)),
    ("ANGER", (228, 48, 60)),
    ("MOTION", (236, 246, 255)),
    ("FLASH", (255, 252, 232)),
    ("FLASH_EDGE", (255, 206, 96)),
    # effects
    ("SPARK", (255, 240, 120)),
    ("SPARK_GOLD", (255, 196, 54)),
    ("SPARK_EDGE", (214, 128, 30)),
    ("IMPACT_RED", (236, 66, 44)),
    ("IMPACT_ORANGE", (255, 146, 40)),
    ("IMPACT_YELLOW", (255, 230, 90)),
    ("HEART", (255, 94, 128)),
    ("HEART_LIGHT", (255, 176, 196)),
    ("NOTE", (98, 86, 200)),
    ("CONFETTI_BLUE", (90, 170, 255)),
    ("CONFETTI_GREEN", (120, 220, 120)),
    # scenery
    ("CLOUD", (255, 255, 255)),
    ("CLOUD_SHADE", (214, 230, 246)),
    ("HILL_FAR", (156, 206, 196)),
    ("HILL_FAR_SHADE", (136, 190, 184)),
    ("HILL_NEAR", (128, 194, 120)),
    ("HILL_NEAR_SHADE", (110, 176, 106)),
    ("GRASS", (136, 204, 92)),
    ("GRASS_SHADOW", (98, 164, 76)),
    ("GRASS_FRONT", (112, 186, 78)),
    ("GRASS_DARK", (80, 150, 62)),
    ("GRASS_TIP", (172, 226, 112)),
    ("FLOWER_WHITE", (252, 250, 240)),
    ("FLOWER_PINK", (255, 150, 186)),
    ("FLOWER_YELLOW", (255, 214, 70)),
    ("TRUNK", (146, 98, 70)),
    ("TREE", (96, 170, 100)),
    ("TREE_LIGHT", (130, 196, 112)),
    ("SUN", (255, 246, 196)),
    ("SUN_GLOW", (236, 244, 236)),
]

# Sky gradient, top to horizon; dithered between neighbours.
SKY_STEPS = [(96, 156, 228), (110, 168, 232), (124, 180, 236), (140, 192, 240),
             (156, 204, 243), (172, 214, 246), (188, 224, 248), (204, 232, 250),
             (218, 238, 250)]

PALETTE = [rgb for _, rgb in _COLOURS]
SKY = []
for _i, _rgb in enumerate(SKY_STEPS):
    SKY.append(len(PALETTE))
    PALETTE.append(_rgb)

for _i, (_name, _rgb) in enumerate(_COLOURS):
    globals()[_name] = _i

# The cloud white would be the same RGB as WHITE; that is harmless, but the
# key colour must stay unique so only the key is transparent.
assert PALETTE.count(KEY_RGB) == 1 and len(PALETTE) <= 256
