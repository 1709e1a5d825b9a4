-- Copper multi-core cable, XLPE insulation, installation method E (on a
-- perforated tray in free air), three loaded conductors, 30 °C ambient: the
-- ratings of the table named in README.md. Ratings rise strictly with the
-- cross-section; prices are per metre of four-core cable.
INSERT INTO cond (gauge, current, price) VALUES
  (1.5, 23, 1.85),
  (2.5, 32, 2.60),
  (4, 42, 3.90),
  (6, 54, 5.40),
  (10, 75, 8.60),
  (16, 100, 13.20),
  (25, 127, 20.50),
  (35, 158, 28.10),
  (50, 192, 39.90),
  (70, 246, 55.30),
  (95, 298, 74.80),
  (120, 346, 94.20),
  (150, 399, 116.90),
  (185, 456, 143.60),
  (240, 538, 186.40),
  (300, 621, 232.70);
