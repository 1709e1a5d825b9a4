-- Current transformers for the bank's controller: the standard rated primary
-- currents of IEC 61869-2 (10, 12.5, 15, 20, 25, 30, 40, 50, 60, 75 A and
-- their decimal multiples) from 50 A to 5000 A, 5 A secondary, class 1.
-- Up to 600 A a window-type transformer for cable, above it a bar type.
INSERT INTO trans (type, a, price) VALUES
  ('TI-V 50/5 A 5 VA cl. 1', 50, 31.50),
  ('TI-V 60/5 A 5 VA cl. 1', 60, 31.50),
  ('TI-V 75/5 A 5 VA cl. 1', 75, 32.80),
  ('TI-V 100/5 A 5 VA cl. 1', 100, 33.40),
  ('TI-V 125/5 A 5 VA cl. 1', 125, 34.90),
  ('TI-V 150/5 A 5 VA cl. 1', 150, 35.60),
  ('TI-V 200/5 A 5 VA cl. 1', 200, 37.20),
  ('TI-V 250/5 A 5 VA cl. 1', 250, 38.75),
  ('TI-V 300/5 A 5 VA cl. 1', 300, 41.30),
  ('TI-V 400/5 A 5 VA cl. 1', 400, 44.90),
  ('TI-V 500/5 A 5 VA cl. 1', 500, 49.60),
  ('TI-V 600/5 A 5 VA cl. 1', 600, 54.25),
  ('TI-B 750/5 A 10 VA cl. 1', 750, 68.40),
  ('TI-B 1000/5 A 10 VA cl. 1', 1000, 74.10),
  ('TI-B 1250/5 A 10 VA cl. 1', 1250, 86.50),
  ('TI-B 1500/5 A 10 VA cl. 1', 1500, 97.30),
  ('TI-B 2000/5 A 15 VA cl. 1', 2000, 118.60),
  ('TI-B 2500/5 A 15 VA cl. 1', 2500, 142.90),
  ('TI-B 3000/5 A 15 VA cl. 1', 3000, 168.20),
  ('TI-B 4000/5 A 15 VA cl. 1', 4000, 214.70),
  ('TI-B 5000/5 A 15 VA cl. 1', 5000, 259.80);
